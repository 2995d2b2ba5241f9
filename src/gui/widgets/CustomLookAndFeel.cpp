#include "gui/widgets/CustomLookAndFeel.h"

#include "gui/widgets/FontManager.h"

namespace
{
constexpr float cornerSize = 5.0f;
const juce::Colour glassGrey (0xffc0c0c0);
const juce::Colour comboArrowColour (0xff727272);

// The framework's colour of a glass shape in a given state: more saturated
// with keyboard focus, contrasted more when pressed than when under the mouse.
juce::Colour glassColour (juce::Colour colour, bool hasKeyboardFocus, bool highlighted, bool down)
{
    const auto base = colour.withMultipliedSaturation (hasKeyboardFocus ? 1.3f : 0.9f);

    if (down)
        return base.contrasting (0.2f);
    if (highlighted)
        return base.contrasting (0.1f);
    return base;
}

float alphaFor (bool enabled)
{
    return enabled ? 1.0f : 0.5f;
}
}

CustomLookAndFeel::CustomLookAndFeel()
{
    setColour (juce::PopupMenu::backgroundColourId, juce::Colour (0xffeeeeee));
}

void CustomLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                                              bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    const bool active = shouldDrawButtonAsDown || shouldDrawButtonAsHighlighted;
    const float outlineThickness = button.isEnabled() ? (active ? 1.2f : 0.7f) : 0.4f;
    const float halfThickness = outlineThickness * 0.5f;

    // A side the button is connected on reaches almost to the edge.
    const float left = button.isConnectedOnLeft() ? 0.1f : halfThickness;
    const float right = button.isConnectedOnRight() ? 0.1f : halfThickness;
    const float top = button.isConnectedOnTop() ? 0.1f : halfThickness;
    const float bottom = button.isConnectedOnBottom() ? 0.1f : halfThickness;

    const auto colour = glassColour (backgroundColour, button.hasKeyboardFocus (true),
                                     shouldDrawButtonAsHighlighted, shouldDrawButtonAsDown)
                            .withMultipliedAlpha (alphaFor (button.isEnabled()));

    drawGlassLozenge (g, left, top,
                      (float) button.getWidth() - left - right,
                      (float) button.getHeight() - top - bottom,
                      colour, outlineThickness, cornerSize,
                      button.isConnectedOnLeft(), button.isConnectedOnRight(),
                      button.isConnectedOnTop(), button.isConnectedOnBottom());
}

juce::Font CustomLookAndFeel::getTextButtonFont (juce::TextButton&, int buttonHeight)
{
    const auto font = FontManager::fontFor ("DefaultTextButton");
    return font.withHeight (juce::jmin (font.getHeight(), (float) buttonHeight * 0.7f));
}

void CustomLookAndFeel::drawTickBox (juce::Graphics& g, juce::Component&, float x, float y, float w, float h,
                                     bool ticked, bool isEnabled,
                                     bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    const float boxSize = w * 0.7f;
    const float outlineThickness = (shouldDrawButtonAsDown || shouldDrawButtonAsHighlighted) ? 1.2f : 0.7f;
    const auto colour = glassColour (glassGrey.withMultipliedAlpha (alphaFor (isEnabled)), true,
                                     shouldDrawButtonAsHighlighted, shouldDrawButtonAsDown);

    drawGlassLozenge (g, x, y + (h - boxSize) * 0.5f, boxSize, boxSize, colour, outlineThickness, cornerSize,
                      false, false, false, false);

    if (! ticked)
        return;

    juce::Path tick;
    tick.startNewSubPath (1.5f, 3.0f);
    tick.lineTo (3.0f, 6.0f);
    tick.lineTo (6.0f, 0.0f);

    g.setColour (juce::Colours::black.withMultipliedAlpha (alphaFor (isEnabled)));
    g.strokePath (tick, juce::PathStrokeType (2.5f),
                  juce::AffineTransform::scale (w / 9.0f, h / 9.0f).translated (x + 2.0f, y));
}

void CustomLookAndFeel::drawComboBox (juce::Graphics& g, int width, int height, bool isButtonDown,
                                      int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox& box)
{
    g.fillAll (box.findColour (juce::ComboBox::backgroundColourId));

    if (box.isEnabled() && box.isMouseOver (true))
    {
        g.setColour (box.findColour (juce::TextButton::buttonColourId));
        g.drawRect (0, 0, width, height, 2);
    }
    else
    {
        g.setColour (box.findColour (juce::ComboBox::outlineColourId));
        g.drawRect (0, 0, width, height);
    }

    const float outlineThickness = box.isEnabled() ? (isButtonDown ? 1.2f : 0.5f) : 0.3f;
    const auto colour = glassColour (glassGrey, box.hasKeyboardFocus (true), false, isButtonDown)
                            .withMultipliedAlpha (alphaFor (box.isEnabled()));

    const auto x = (float) buttonX;
    const auto y = (float) buttonY;
    const auto w = (float) buttonW;
    const auto h = (float) buttonH;

    drawGlassLozenge (g, x + outlineThickness, y + outlineThickness,
                      w - outlineThickness * 2.0f, h - outlineThickness * 2.0f,
                      colour, outlineThickness, cornerSize, false, false, false, false);

    if (! box.isEnabled())
        return;

    juce::Path arrows;
    arrows.addTriangle (x + w * 0.5f, y + h * 0.25f, x + w * 0.7f, y + h * 0.45f, x + w * 0.3f, y + h * 0.45f);
    arrows.addTriangle (x + w * 0.5f, y + h * 0.75f, x + w * 0.7f, y + h * 0.55f, x + w * 0.3f, y + h * 0.55f);

    g.setColour (comboArrowColour);
    g.fillPath (arrows);
}

juce::Font CustomLookAndFeel::getPopupMenuFont()
{
    return FontManager::fontFor ("DefaultPopupMenu");
}

int CustomLookAndFeel::getDefaultMenuBarHeight()
{
    return 20;
}

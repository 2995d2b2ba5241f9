#include "SkinStyle.h"

namespace SkinStyle
{
namespace
{
const juce::String typefaceName ("Liberation Sans");
}

juce::Font font (float height, bool bold)
{
    return juce::Font (typefaceName, height, bold ? juce::Font::bold : juce::Font::plain);
}

bool isFontAvailable()
{
    return font (12.0f).getTypefacePtr()->getName() == typefaceName;
}

void drawCaption (juce::Graphics& g, const juce::String& text, juce::Rectangle<int> area, juce::Justification justification)
{
    g.setColour (Colours::caption);
    g.setFont (font (9.5f));
    g.drawFittedText (text, area, justification, 2, 0.75f);
}

void drawRecess (juce::Graphics& g, juce::Rectangle<int> area, juce::Colour fill)
{
    g.setColour (fill);
    g.fillRect (area);
    drawRecessRim (g, area);
}

void drawRecessRim (juce::Graphics& g, juce::Rectangle<int> area)
{
    const auto outer = area.expanded (1);
    g.setColour (Colours::panelEdge);
    g.fillRect (outer.withHeight (1));
    g.fillRect (outer.withWidth (1));
    g.setColour (Colours::panelHighlight);
    g.fillRect (outer.withTrimmedLeft (1).withTop (outer.getBottom() - 1));
    g.fillRect (outer.withTrimmedTop (1).withLeft (outer.getRight() - 1));
}

void drawGroove (juce::Graphics& g, juce::Rectangle<int> line)
{
    const bool vertical = line.getWidth() == 1;
    g.setColour (Colours::panelEdge);
    g.fillRect (line);
    g.setColour (Colours::panelHighlight);
    g.fillRect (line.translated (vertical ? 1 : 0, vertical ? 0 : 1));
}

void drawKeyFace (juce::Graphics& g, juce::Rectangle<float> area, bool pressed, bool lit, float corner)
{
    const auto face = area.reduced (0.5f);
    juce::Colour top, bottom;

    if (lit)
    {
        top = pressed ? Colours::deepOrange : Colours::orange;
        bottom = pressed ? juce::Colour (0xffa85200) : Colours::deepOrange;
    }
    else
    {
        top = pressed ? juce::Colour (0xff222222) : juce::Colour (0xff5e5e5e);
        bottom = pressed ? juce::Colour (0xff303030) : juce::Colour (0xff3e3e3e);
    }

    g.setGradientFill (juce::ColourGradient (top, 0.0f, face.getY(), bottom, 0.0f, face.getBottom(), false));
    g.fillRoundedRectangle (face, corner);

    // A bright rim along the top edge on a raised key, a shadow inside a pressed one.
    const auto rim = face.reduced (1.0f).removeFromTop (face.getHeight() * 0.5f);
    g.setColour (pressed ? juce::Colour (0x50000000) : juce::Colour (0x40ffffff));
    g.drawLine (rim.getX() + corner * 0.5f, rim.getY(), rim.getRight() - corner * 0.5f, rim.getY(), 1.0f);

    g.setColour (Colours::panelEdge);
    g.drawRoundedRectangle (face, corner, 1.0f);
}

juce::Colour keyTextColour (bool lit)
{
    return lit ? juce::Colour (0xff1c1c1c) : Colours::labelText;
}

void drawPlayGlyph (juce::Graphics& g, juce::Rectangle<float> area, juce::Colour colour)
{
    juce::Path triangle;
    triangle.addTriangle (area.getTopLeft(), area.getBottomLeft(), { area.getRight(), area.getCentreY() });
    g.setColour (colour);
    g.fillPath (triangle);
}
}

#include "Widgets.h"
#include "SkinStyle.h"

using namespace SkinStyle;

namespace Widgets
{
namespace
{
const float knobSweep = juce::degreesToRadians (135.0f);

juce::Rectangle<float> boundsOf (int width, int height)
{
    return { 0.0f, 0.0f, (float) width, (float) height };
}

// Label text on a key: one pixel lower while the key is pressed.
void drawKeyLabel (juce::Graphics& g, const juce::String& label, juce::Rectangle<int> area, bool pressed, bool lit)
{
    const int lines = label.containsChar ('\n') ? 2 : 1;
    g.setColour (keyTextColour (lit));
    g.setFont (font (juce::jmin (10.0f, (float) area.getHeight() / (float) lines - 1.0f)));
    g.drawFittedText (label, area.translated (0, pressed ? 1 : 0), juce::Justification::centred, lines, 0.7f);
}

// The pointer angle of frame `index` of `frames`. A centred scale puts the
// neutral value (frame 63 of 127, frame 64 of 128: the value 64 of 0..127)
// straight up and reaches the end stops on both sides.
float knobAngle (KnobScale scale, int index, int frames)
{
    const int last = frames - 1;

    if (scale == KnobScale::fromMinimum)
        return -knobSweep + 2.0f * knobSweep * (float) index / (float) last;

    const int centre = frames / 2;

    if (index <= centre)
        return -knobSweep * (float) (centre - index) / (float) centre;

    return knobSweep * (float) (index - centre) / (float) (last - centre);
}

void drawGlyph (juce::Graphics& g, Glyph glyph, juce::Rectangle<float> area, juce::Colour colour)
{
    const auto size = juce::jmin (area.getWidth(), area.getHeight()) * 0.55f;
    const auto centre = area.getCentre();
    g.setColour (colour);
    g.fillRect (juce::Rectangle<float> (size, 1.6f).withCentre (centre));

    if (glyph == Glyph::plus)
        g.fillRect (juce::Rectangle<float> (1.6f, size).withCentre (centre));
}

void drawLed (juce::Graphics& g, juce::Point<float> centre, float radius, bool on)
{
    if (on)
    {
        g.setGradientFill (juce::ColourGradient (Colours::orange.withAlpha (0.45f), centre,
                                                 Colours::orange.withAlpha (0.0f), centre.translated (radius * 2.0f, 0.0f), true));
        g.fillEllipse (juce::Rectangle<float> (radius * 4.0f, radius * 4.0f).withCentre (centre));
    }

    const auto body = juce::Rectangle<float> (radius * 2.0f, radius * 2.0f).withCentre (centre);
    g.setGradientFill (on ? juce::ColourGradient (juce::Colour (0xfffff0b0), centre.translated (-radius * 0.3f, -radius * 0.3f),
                                                  Colours::deepOrange, centre.translated (radius, radius), true)
                          : juce::ColourGradient (juce::Colour (0xff5a4020), centre.translated (-radius * 0.3f, -radius * 0.3f),
                                                  juce::Colour (0xff241a10), centre.translated (radius, radius), true));
    g.fillEllipse (body);
    g.setColour (Colours::panelEdge);
    g.drawEllipse (body, 1.0f);
}
}

Painter key (const juce::String& label, bool pressed, bool lit)
{
    return [=] (juce::Graphics& g, int width, int height)
    {
        drawKeyFace (g, boundsOf (width, height), pressed, lit);
        drawKeyLabel (g, label, juce::Rectangle<int> (width, height).reduced (3, 1), pressed, lit);
    };
}

Painter playKey (const juce::String& label, bool pressed, bool lit)
{
    return [=] (juce::Graphics& g, int width, int height)
    {
        drawKeyFace (g, boundsOf (width, height), pressed, lit);
        const auto shift = pressed ? 1.0f : 0.0f;
        const auto glyphSize = (float) height * 0.45f;
        drawPlayGlyph (g, juce::Rectangle<float> (7.0f, ((float) height - glyphSize) * 0.5f + shift, glyphSize * 0.9f, glyphSize),
                       lit ? keyTextColour (true) : Colours::orange);
        drawKeyLabel (g, label, juce::Rectangle<int> (width, height).withTrimmedLeft (14).reduced (3, 1), pressed, lit);
    };
}

Painter tab (const juce::String& label, bool chosen)
{
    return [=] (juce::Graphics& g, int width, int height)
    {
        const auto area = boundsOf (width, height).withTrimmedLeft (0.5f).withTrimmedRight (0.5f).withTrimmedTop (0.5f);
        juce::Path shape;
        shape.addRoundedRectangle (area.getX(), area.getY(), area.getWidth(), area.getHeight() + 4.0f, 5.0f, 5.0f, true, true, false, false);

        if (chosen)
            g.setColour (Colours::panel);
        else
            g.setGradientFill (juce::ColourGradient (juce::Colour (0xff2c2c2c), 0.0f, 0.0f, Colours::panelDark, 0.0f, (float) height, false));

        g.fillPath (shape);
        g.setColour (Colours::panelEdge);
        g.strokePath (shape, juce::PathStrokeType (1.0f));

        if (chosen)
        {
            g.setColour (Colours::orange);
            g.fillRect (juce::Rectangle<float> (4.0f, 1.0f, (float) width - 8.0f, 2.0f));
        }
        else
        {
            g.setColour (Colours::panelEdge);
            g.fillRect (0, height - 1, width, 1);
        }

        g.setColour (chosen ? Colours::orange : Colours::caption);
        g.setFont (font (11.0f));
        g.drawFittedText (label, juce::Rectangle<int> (width, height).reduced (6, 0).withTrimmedTop (2), juce::Justification::centred, 1, 0.8f);
    };
}

Painter glyphKey (Glyph glyph, bool pressed)
{
    return [=] (juce::Graphics& g, int width, int height)
    {
        const auto area = boundsOf (width, height);
        drawKeyFace (g, area, pressed, false, 2.0f);
        drawGlyph (g, glyph, area.translated (0.0f, pressed ? 0.5f : 0.0f), pressed ? Colours::orange : Colours::labelText);
    };
}

Painter ledSwitch (bool on)
{
    return [=] (juce::Graphics& g, int width, int height)
    {
        const auto area = boundsOf (width, height);
        drawKeyFace (g, area, false, false, 2.0f);
        drawLed (g, area.getCentre(), juce::jmin (area.getWidth(), area.getHeight()) * 0.26f, on);
    };
}

Painter connectionLamp (bool connected)
{
    return [=] (juce::Graphics& g, int width, int height)
    {
        const auto area = boundsOf (width, height);
        const auto centre = area.getCentre();
        const auto radius = juce::jmin (area.getWidth(), area.getHeight()) * 0.5f;

        // The bezel, then the lamp with its glow.
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff6a6a6a), 0.0f, 0.0f, juce::Colour (0xff1e1e1e), 0.0f, area.getBottom(), false));
        g.fillEllipse (area.reduced (0.5f));
        g.setColour (Colours::panelEdge);
        g.drawEllipse (area.reduced (0.5f), 1.0f);
        drawLed (g, centre, radius * 0.62f, connected);

        g.setColour (connected ? keyTextColour (true) : Colours::caption);
        g.setFont (font (8.5f));
        g.drawText ("USB", area, juce::Justification::centred, false);
    };
}

Painter knobStrip (KnobScale scale, int frames)
{
    return [=] (juce::Graphics& g, int width, int)
    {
        const auto frameSize = (float) width;
        const auto arcStart = scale == KnobScale::fromMinimum ? -knobSweep : 0.0f;

        for (int i = 0; i < frames; ++i)
            drawKnob (g, { frameSize * 0.5f, frameSize * ((float) i + 0.5f) }, frameSize * 0.5f, arcStart, knobAngle (scale, i, frames));
    };
}

void drawKnob (juce::Graphics& g, juce::Point<float> centre, float radius, float arcStart, float pointerAngle)
{
    const auto arcRadius = radius * 0.84f;
    const auto arcThickness = radius * 0.17f;
    const juce::PathStrokeType arcStroke (arcThickness, juce::PathStrokeType::curved, juce::PathStrokeType::butt);

    juce::Path track;
    track.addCentredArc (centre.x, centre.y, arcRadius, arcRadius, 0.0f, -knobSweep, knobSweep, true);
    g.setColour (juce::Colour (0xff141414));
    g.strokePath (track, arcStroke);

    if (std::abs (pointerAngle - arcStart) > 0.001f)
    {
        juce::Path value;
        value.addCentredArc (centre.x, centre.y, arcRadius, arcRadius, 0.0f, arcStart, pointerAngle, true);
        g.setColour (Colours::orange);
        g.strokePath (value, arcStroke);
    }

    const auto body = juce::Rectangle<float> (radius * 1.36f, radius * 1.36f).withCentre (centre);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff787878), body.getX(), body.getY(),
                                             juce::Colour (0xff262626), body.getRight(), body.getBottom(), false));
    g.fillEllipse (body);
    g.setColour (Colours::panelEdge);
    g.drawEllipse (body, juce::jmax (1.0f, radius * 0.05f));

    const auto cap = body.reduced (radius * 0.16f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff3a3a3a), cap.getX(), cap.getY(),
                                             juce::Colour (0xff555555), cap.getRight(), cap.getBottom(), false));
    g.fillEllipse (cap);

    const auto direction = juce::Point<float> (std::sin (pointerAngle), -std::cos (pointerAngle));
    const auto inner = centre + direction * (radius * 0.15f);
    const auto outer = centre + direction * (radius * 0.6f);
    g.setColour (juce::Colour (0xfff2f2f2));
    g.drawLine ({ inner, outer }, radius * 0.13f);
}

Painter valueWindow()
{
    return [] (juce::Graphics& g, int width, int height)
    {
        drawRecess (g, juce::Rectangle<int> (width, height).reduced (1), Colours::darkDisplay);
    };
}

Painter comboField (bool warm)
{
    return [=] (juce::Graphics& g, int width, int height)
    {
        const auto area = boundsOf (width, height).reduced (0.5f);
        juce::Path shape;
        shape.addRoundedRectangle (area.getX(), area.getY(), area.getWidth() + 4.0f, area.getHeight(), 3.0f, 3.0f, true, false, true, false);
        g.setGradientFill (juce::ColourGradient (warm ? juce::Colour (0xff1a140c) : juce::Colour (0xff0c0c0c), 0.0f, 0.0f,
                                                 warm ? juce::Colour (0xff2c2418) : juce::Colour (0xff222222), 0.0f, (float) height, false));
        g.fillPath (shape);
        g.setColour (Colours::panelEdge);
        g.strokePath (shape, juce::PathStrokeType (1.0f));
        g.setColour (Colours::deepOrange.withAlpha (0.6f));
        g.fillRect (juce::Rectangle<float> (3.0f, area.getBottom() - 2.0f, area.getWidth() - 3.0f, 1.0f));
    };
}

Painter comboArrow (bool pressed)
{
    return [=] (juce::Graphics& g, int width, int height)
    {
        const auto area = boundsOf (width, height);
        drawKeyFace (g, area, pressed, false, 3.0f);

        const auto arrow = area.reduced (area.getWidth() * 0.28f, area.getHeight() * 0.36f).translated (0.0f, pressed ? 1.0f : 0.0f);
        juce::Path triangle;
        triangle.addTriangle (arrow.getTopLeft(), arrow.getTopRight(), { arrow.getCentreX(), arrow.getBottom() });
        g.setColour (Colours::orange);
        g.fillPath (triangle);
    };
}

Painter fileBadge (const juce::String& text, juce::Colour colour)
{
    return [=] (juce::Graphics& g, int width, int height)
    {
        const auto area = boundsOf (width, height).reduced (0.5f);
        g.setGradientFill (juce::ColourGradient (colour.brighter (0.25f), 0.0f, 0.0f, colour.darker (0.25f), 0.0f, (float) height, false));
        g.fillRoundedRectangle (area, 2.5f);
        g.setColour (colour.darker (0.8f));
        g.drawRoundedRectangle (area, 2.5f, 1.0f);

        g.setColour (colour.getPerceivedBrightness() > 0.6f ? juce::Colour (0xff1c1c1c) : juce::Colours::white);
        g.setFont (font ((float) height - 4.0f));
        g.drawFittedText (text, juce::Rectangle<int> (width, height).reduced (2, 0), juce::Justification::centred, 1, 0.7f);
    };
}

Painter programIcon()
{
    return [] (juce::Graphics& g, int width, int height)
    {
        const auto area = boundsOf (width, height);
        const auto corner = area.getWidth() * 0.16f;
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff4a4a4a), 0.0f, 0.0f, juce::Colour (0xff1e1e1e), 0.0f, area.getBottom(), false));
        g.fillRoundedRectangle (area.reduced (area.getWidth() * 0.02f), corner);
        g.setColour (Colours::deepOrange);
        g.drawRoundedRectangle (area.reduced (area.getWidth() * 0.04f), corner * 0.85f, area.getWidth() * 0.02f);

        drawKnob (g, area.getCentre(), area.getWidth() * 0.38f, -knobSweep, juce::degreesToRadians (60.0f));
    };
}
}

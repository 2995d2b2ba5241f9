#pragma once

#include <juce_graphics/juce_graphics.h>

// The colours, fonts and recurring shapes of the skin: a dark grey hardware
// panel with orange accents. Every image is drawn from these pieces.
namespace SkinStyle
{
    namespace Colours
    {
        const juce::Colour panel          { 0xff363636 };
        const juce::Colour panelDark      { 0xff262626 };
        const juce::Colour panelEdge      { 0xff141414 };
        const juce::Colour panelHighlight { 0xff4c4c4c };
        const juce::Colour caption        { 0xffb4b4b4 };
        const juce::Colour labelText      { 0xffe4e4e4 };
        const juce::Colour orange         { 0xffffb400 };
        const juce::Colour deepOrange     { 0xffe17100 };
        const juce::Colour darkDisplay    { 0xff111111 };
        const juce::Colour lightDisplay   { 0xffd8d8d2 };
        const juce::Colour silver         { 0xffcfcfcf };
    }

    // The one typeface of every label, always Liberation Sans so that the
    // images come out the same on every machine.
    juce::Font font (float height, bool bold = true);

    // Whether Liberation Sans is installed (it is found by name).
    bool isFontAvailable();

    // A caption printed on the panel: small, bold, light grey, fitted into `area`.
    void drawCaption (juce::Graphics&, const juce::String& text, juce::Rectangle<int> area,
                      juce::Justification justification = juce::Justification::centredLeft);

    // A window sunk into the panel (for displays, wells and frames): a dark
    // shadow at the top left, a light edge at the bottom right, `fill` inside.
    void drawRecess (juce::Graphics&, juce::Rectangle<int> area, juce::Colour fill);

    // Only the rim of a recess, for areas whose content paints itself.
    void drawRecessRim (juce::Graphics&, juce::Rectangle<int> area);

    // A thin engraved line across the panel along `line`, which is one pixel
    // high (horizontal) or one pixel wide (vertical).
    void drawGroove (juce::Graphics&, juce::Rectangle<int> line);

    // The raised face of a key; `pressed` sinks it, `lit` colours it orange.
    void drawKeyFace (juce::Graphics&, juce::Rectangle<float> area, bool pressed, bool lit, float corner = 3.0f);

    // The text colour on a key face.
    juce::Colour keyTextColour (bool lit);

    // A filled play triangle pointing right inside `area`.
    void drawPlayGlyph (juce::Graphics&, juce::Rectangle<float> area, juce::Colour colour);
}

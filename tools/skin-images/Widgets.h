#pragma once

#include "Painter.h"

// Painters of the skin's widget images: keys, tabs, switches, lamps, knob
// film strips, combo box pieces, file icons and the program icon.
namespace Widgets
{
    // A labelled key. `pressed` sinks it; `lit` is the orange face of a toggle
    // that is on. A "\n" in the label breaks it into two lines.
    Painter key (const juce::String& label, bool pressed, bool lit = false);

    // A key with a play triangle before its label.
    Painter playKey (const juce::String& label, bool pressed, bool lit);

    // A page tab; the chosen tab joins the panel below it.
    Painter tab (const juce::String& label, bool chosen);

    enum class Glyph { plus, minus };

    // A small unlabelled key with a plus or minus sign.
    Painter glyphKey (Glyph, bool pressed);

    // A 16 x 16 switch with an LED.
    Painter ledSwitch (bool on);

    // The round lamp that shows the device connection.
    Painter connectionLamp (bool connected);

    // Where a knob's orange value arc starts: at the lowest position, or at
    // the top for knobs whose middle value is their neutral one.
    enum class KnobScale { fromMinimum, fromCentre };

    // A film strip of `frames` knob pictures stacked from top to bottom, the
    // pointer turning from -135 to +135 degrees over the frames. Frames are as
    // wide as the image and square.
    Painter knobStrip (KnobScale, int frames);

    // The window behind a sample knob's value.
    Painter valueWindow();

    // The text field of an effect combo box; `warm` tints it for the pop-up
    // parameter variant.
    Painter comboField (bool warm);

    // The arrow key at the right of an effect combo box.
    Painter comboArrow (bool pressed);

    // A file-type badge for the file browser.
    Painter fileBadge (const juce::String& text, juce::Colour colour);

    // The program's icon.
    Painter programIcon();

    // One knob, used by the film strips and the decorations: centre, outer
    // radius, where the value arc starts and where the pointer stands
    // (radians, clockwise from 12 o'clock).
    void drawKnob (juce::Graphics&, juce::Point<float> centre, float radius, float arcStart, float pointerAngle);
}

#include "WidgetTestSupport.h"

#include "gui/widgets/ImageKnob.h"

#include <gtest/gtest.h>

using namespace WidgetTestSupport;

namespace
{
// Frame k, 4 × 2 pixels, has the red value k.
juce::Colour frameColour (int frame) { return juce::Colour ((juce::uint8) frame, 100, 200); }

juce::Image numberedFilmStrip (int frames)
{
    juce::Image strip (juce::Image::ARGB, 4, 2 * frames, true);
    for (int k = 0; k < frames; ++k)
        strip.clear ({ 0, 2 * k, 4, 2 }, frameColour (k));
    return strip;
}

void setUp (juce::Slider& knob, double minimum, double maximum, double value)
{
    knob.setSliderStyle (juce::Slider::RotaryVerticalDrag);
    knob.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    knob.setRange (minimum, maximum, 1.0);
    knob.setValue (value, juce::dontSendNotification);
    knob.setBounds (0, 0, 40, 40);
}
}

TEST (ImageKnob, ShowsTheFrameOfItsValueHalfOpaqueWhenDisabledAndLightenedUnderTheMouse)
{
    const juce::Colour mask (0x28ffffff);
    const struct { int frames; double minimum, maximum, value; bool enabled, over; juce::Colour expected; } rows[] = {
        { 128, 0, 127, 0, true, false, frameColour (0) }, { 128, 0, 127, 1, true, false, frameColour (1) },
        { 128, 0, 127, 64, true, false, frameColour (64) }, { 128, 0, 127, 126, true, false, frameColour (126) },
        { 128, 0, 127, 127, true, false, frameColour (127) }, { 127, -63, 63, -63, true, false, frameColour (0) },
        { 127, -63, 63, 0, true, false, frameColour (63) }, { 127, -63, 63, 63, true, false, frameColour (126) },
        { 128, 0, 127, 64, false, false, frameColour (64).withAlpha (0.5f) },
        { 128, 0, 127, 64, true, true, frameColour (64).overlaidWith (mask) },
    };

    for (const auto& row : rows)
    {
        ImageKnob knob ("knob", numberedFilmStrip (row.frames));
        knob.setFrameCount (row.frames);
        setUp (knob, row.minimum, row.maximum, row.value);
        knob.setEnabled (row.enabled);
        if (row.over)
            knob.mouseEnter (mouseEventFor (knob));

        EXPECT_TRUE (closeTo (render (knob).getPixelAt (1, 1), row.expected))
            << row.frames << " frames, value " << row.value << ", enabled " << row.enabled << ", over " << row.over;

        knob.mouseExit (mouseEventFor (knob));
        EXPECT_TRUE (closeTo (render (knob).getPixelAt (1, 1), row.over ? frameColour (64) : row.expected)) << "after the mouse left";
    }
}

TEST (ImageKnob, WithoutAnImageOrFramesItIsAPlainSlider)
{
    juce::Slider plain;
    ImageKnob withoutImage ("knob", {}), withoutFrames ("knob", numberedFilmStrip (128));
    withoutFrames.setFrameCount (0);

    for (auto* slider : { &plain, static_cast<juce::Slider*> (&withoutImage), static_cast<juce::Slider*> (&withoutFrames) })
        setUp (*slider, 0, 127, 64);

    const auto expected = render (plain);
    for (auto* knob : { &withoutImage, &withoutFrames })
    {
        const auto image = render (*knob);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ (image.getPixelAt (x, y), expected.getPixelAt (x, y)) << x << ", " << y;
    }
}

TEST (ImageKnob, UpAndDownStepTheValueWithinTheRange)
{
    ImageKnob knob ("knob", numberedFilmStrip (128));
    setUp (knob, 0, 127, 126);
    int changes = 0;
    knob.onValueChange = [&] { ++changes; };

    const struct { int keyCode; bool consumed; double value; int changes; } steps[] = {
        { juce::KeyPress::upKey, true, 127, 1 }, { juce::KeyPress::upKey, true, 127, 1 },
        { juce::KeyPress::downKey, true, 126, 2 }, { juce::KeyPress::leftKey, false, 126, 2 },
    };

    for (const auto& step : steps)
    {
        EXPECT_EQ (knob.keyPressed (juce::KeyPress (step.keyCode), &knob), step.consumed);
        EXPECT_EQ (knob.getValue(), step.value);
        EXPECT_EQ (changes, step.changes);
    }
}

#include "WidgetTestSupport.h"

#include "gui/widgets/ImageKnob.h"

#include <gtest/gtest.h>

using namespace WidgetTestSupport;

namespace
{
constexpr int frameWidth = 4;
constexpr int frameHeight = 2;

// Frame k is filled with red k, so a pixel tells which frame was drawn.
juce::Image numberedFilmStrip (int frames)
{
    juce::Image strip (juce::Image::ARGB, frameWidth, frameHeight * frames, true);
    juce::Graphics g (strip);

    for (int k = 0; k < frames; ++k)
    {
        g.setColour (juce::Colour ((juce::uint8) k, 100, 200));
        g.fillRect (0, k * frameHeight, frameWidth, frameHeight);
    }
    return strip;
}

juce::Colour frameColour (int frame)
{
    return juce::Colour ((juce::uint8) frame, 100, 200);
}

void setUpKnob (juce::Slider& knob, double minimum, double maximum, double value)
{
    knob.setSliderStyle (juce::Slider::RotaryVerticalDrag);
    knob.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    knob.setRange (minimum, maximum, 1.0);
    knob.setValue (value, juce::dontSendNotification);
    knob.setBounds (0, 0, 40, 40);
}
}

TEST (ImageKnob, ShowsTheFrameOfItsValue)
{
    const struct { int frames; double minimum, maximum, value; int frame; } rows[] = {
        { 128, 0, 127, 0, 0 },
        { 128, 0, 127, 1, 1 },
        { 128, 0, 127, 64, 64 },
        { 128, 0, 127, 126, 126 },
        { 128, 0, 127, 127, 127 },
        { 127, -63, 63, -63, 0 },
        { 127, -63, 63, 0, 63 },
        { 127, -63, 63, 63, 126 },
    };

    for (const auto& row : rows)
    {
        ImageKnob knob ("knob", numberedFilmStrip (row.frames));
        knob.setFrameCount (row.frames);
        setUpKnob (knob, row.minimum, row.maximum, row.value);

        EXPECT_EQ (render (knob).getPixelAt (1, 1), frameColour (row.frame))
            << row.frames << " frames, value " << row.value;
    }
}

TEST (ImageKnob, HalfOpaqueWhenDisabledAndLightenedUnderTheMouse)
{
    const auto frame = frameColour (64);
    const juce::Colour mask (0x28ffffff);

    const struct { bool enabled; bool over; juce::Colour expected; } rows[] = {
        { true, false, frame },
        { false, false, frame.withAlpha (0.5f) },
        { true, true, frame.overlaidWith (mask) },
    };

    for (const auto& row : rows)
    {
        ImageKnob knob ("knob", numberedFilmStrip (128));
        setUpKnob (knob, 0, 127, 64);
        knob.setEnabled (row.enabled);
        if (row.over)
            knob.mouseEnter (mouseEventFor (knob));

        EXPECT_TRUE (closeTo (render (knob).getPixelAt (1, 1), row.expected))
            << "enabled " << row.enabled << ", over " << row.over;

        if (row.over)
        {
            knob.mouseExit (mouseEventFor (knob));
            EXPECT_EQ (render (knob).getPixelAt (1, 1), frame) << "after the mouse left";
        }
    }
}

TEST (ImageKnob, WithoutAnImageOrFramesItIsAPlainSlider)
{
    juce::Slider plain ("plain");
    setUpKnob (plain, 0, 127, 64);
    const auto expected = render (plain);

    ImageKnob withoutImage ("knob", {});
    setUpKnob (withoutImage, 0, 127, 64);
    EXPECT_TRUE (samePixels (render (withoutImage), expected));

    ImageKnob withoutFrames ("knob", numberedFilmStrip (128));
    withoutFrames.setFrameCount (0);
    setUpKnob (withoutFrames, 0, 127, 64);
    EXPECT_TRUE (samePixels (render (withoutFrames), expected));
}

TEST (ImageKnob, UpAndDownStepTheValueWithinTheRange)
{
    ImageKnob knob ("knob", numberedFilmStrip (128));
    setUpKnob (knob, 0, 127, 126);
    int changes = 0;
    knob.onValueChange = [&] { ++changes; };

    const struct { int keyCode; bool consumed; double value; int changes; } steps[] = {
        { juce::KeyPress::upKey, true, 127, 1 },
        { juce::KeyPress::upKey, true, 127, 1 },
        { juce::KeyPress::downKey, true, 126, 2 },
        { juce::KeyPress::leftKey, false, 126, 2 },
        { 'a', false, 126, 2 },
    };

    for (const auto& step : steps)
    {
        EXPECT_EQ (knob.keyPressed (juce::KeyPress (step.keyCode), &knob), step.consumed);
        EXPECT_EQ (knob.getValue(), step.value);
        EXPECT_EQ (changes, step.changes);
    }
}

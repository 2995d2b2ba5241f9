#include "WidgetTestSupport.h"

#include "gui/widgets/BlinkImageButton.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace WidgetTestSupport;

namespace
{
const juce::Colour normalColour = juce::Colours::black;
const juce::Colour overColour = juce::Colours::green;
const juce::Colour downColour = juce::Colours::blue;

struct TransmitButton : BlinkImageButton
{
    TransmitButton() : BlinkImageButton ("transmit")
    {
        setImages (false, false, true,
                   filledImage (10, 6, normalColour), 1.0f, {},
                   filledImage (10, 6, overColour), 1.0f, {},
                   filledImage (10, 6, downColour), 1.0f, {});
        setBounds (0, 0, 10, 6);
        setVisible (true);
    }

    juce::Colour middlePixel() { return render (*this).getPixelAt (5, 3); }

    using BlinkImageButton::mouseEnter;
    using BlinkImageButton::mouseExit;
};

juce::Colour glowAt (double phase)
{
    return normalColour.overlaidWith (juce::Colour (0xffb03010).withAlpha ((float) (0.1 + 0.35 * phase)));
}
}

TEST (BlinkImageButton, BlinkingIsTheToggleStateAndTheTimer)
{
    TransmitButton button;
    int clicks = 0, stateChanges = 0;
    button.onClick = [&] { ++clicks; };
    button.onStateChange = [&] { ++stateChanges; };

    button.setBlinking (true);
    EXPECT_TRUE (button.getToggleState());
    EXPECT_TRUE (button.isTimerRunning());
    EXPECT_EQ (button.getTimerInterval(), 50);

    button.setBlinking (false);
    EXPECT_FALSE (button.getToggleState());
    EXPECT_FALSE (button.isTimerRunning());
    EXPECT_EQ (clicks, 0);
    EXPECT_EQ (stateChanges, 0);
}

TEST (BlinkImageButton, ThePhaseSwingsBetweenAboutZeroAndOneInSteps)
{
    TransmitButton button;
    double previous = button.getPhase();
    double highest = previous, lowest = previous;
    int turns = 0;
    double lastDirection = 1.0;

    for (int tick = 0; tick < 100; ++tick)
    {
        button.advancePhase();
        const double change = button.getPhase() - previous;
        EXPECT_NEAR (std::abs (change), 0.05, 1e-9) << "tick " << tick;

        if (change * lastDirection < 0.0)
            ++turns;

        lastDirection = change;
        previous = button.getPhase();
        highest = std::max (highest, previous);
        lowest = std::min (lowest, previous);
    }

    EXPECT_GE (highest, 1.0 - 1e-9);
    EXPECT_LE (highest, 1.05 + 1e-9);
    EXPECT_LE (lowest, 1e-9);
    EXPECT_GE (lowest, -0.05 - 1e-9);
    EXPECT_EQ (turns, 4);
}

TEST (BlinkImageButton, PaintsTheGlowOnlyWhileBlinkingAndLeftAlone)
{
    using State = juce::Button::ButtonState;

    const struct { bool blinking; int ticks; State state; juce::Colour expected; } rows[] = {
        { false, 0, State::buttonNormal, normalColour },
        { false, 0, State::buttonOver, overColour },
        { true, 0, State::buttonNormal, glowAt (0.0) },
        { true, 10, State::buttonNormal, glowAt (0.5) },
        { true, 10, State::buttonOver, overColour },
        { true, 10, State::buttonDown, downColour },
    };

    for (const auto& row : rows)
    {
        TransmitButton button;
        button.setBlinking (row.blinking);
        for (int i = 0; i < row.ticks; ++i)
            button.advancePhase();
        button.setState (row.state);

        EXPECT_TRUE (closeTo (button.middlePixel(), row.expected))
            << "blinking " << row.blinking << ", ticks " << row.ticks << ", state " << (int) row.state
            << ": " << button.middlePixel().toDisplayString (true);
    }
}

TEST (BlinkImageButton, UnderTheMouseItShowsTheOverImageAndPulsesOnAfterwards)
{
    TransmitButton button;
    button.setBlinking (true);
    button.advancePhase();

    button.mouseEnter (mouseEventFor (button));
    EXPECT_EQ (button.middlePixel(), overColour);

    for (int i = 0; i < 3; ++i)
        button.advancePhase();
    EXPECT_EQ (button.middlePixel(), overColour);

    button.mouseExit (mouseEventFor (button));
    EXPECT_TRUE (closeTo (button.middlePixel(), glowAt (0.2)));
}

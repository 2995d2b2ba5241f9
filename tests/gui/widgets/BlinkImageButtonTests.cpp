#include "WidgetTestSupport.h"

#include "gui/widgets/BlinkImageButton.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace WidgetTestSupport;

namespace
{
// Black normal image, green over image, blue down image.
struct TransmitButton : BlinkImageButton
{
    TransmitButton() : BlinkImageButton ("transmit")
    {
        setImages (false, false, true, filledImage (10, 6, juce::Colours::black), 1.0f, {},
                   filledImage (10, 6, juce::Colours::green), 1.0f, {}, filledImage (10, 6, juce::Colours::blue), 1.0f, {});
        setBounds (0, 0, 10, 6);
        setVisible (true);
    }

    juce::Colour middlePixel() { return render (*this).getPixelAt (5, 3); }
    void tick (int times) { while (--times >= 0) advancePhase(); }

    using BlinkImageButton::mouseEnter;
    using BlinkImageButton::mouseExit;
};

juce::Colour glowAt (double phase)
{
    return juce::Colours::black.overlaidWith (juce::Colour (0xffb03010).withAlpha ((float) (0.1 + 0.35 * phase)));
}
}

TEST (BlinkImageButton, ThePhaseSwingsBetweenAboutZeroAndOneInSteps)
{
    TransmitButton button;
    double previous = 0.0, lastChange = 0.05;
    int turns = 0;

    for (int i = 0; i < 100; ++i)
    {
        button.tick (1);
        const double change = button.getPhase() - previous;
        EXPECT_NEAR (std::abs (change), 0.05, 1e-9);
        EXPECT_NEAR (button.getPhase(), 0.5, 0.55 + 1e-9);
        turns += change * lastChange < 0.0 ? 1 : 0;
        lastChange = change;
        previous = button.getPhase();
    }

    EXPECT_EQ (turns, 4);
}

TEST (BlinkImageButton, GlowsOnlyWhileBlinkingAndLeftAlone)
{
    TransmitButton button;
    int notices = 0;
    button.onClick = button.onStateChange = [&] { ++notices; };
    EXPECT_EQ (button.middlePixel(), juce::Colours::black);

    button.setBlinking (true);
    EXPECT_TRUE (button.getToggleState() && button.isTimerRunning());
    EXPECT_EQ (button.getTimerInterval(), 50);
    EXPECT_EQ (notices, 0);
    EXPECT_TRUE (closeTo (button.middlePixel(), glowAt (0.0)));
    button.tick (10);
    EXPECT_TRUE (closeTo (button.middlePixel(), glowAt (0.5)));

    button.mouseEnter (mouseEventFor (button));
    EXPECT_EQ (button.middlePixel(), juce::Colours::green);
    button.tick (2);
    button.setState (juce::Button::buttonDown);
    EXPECT_EQ (button.middlePixel(), juce::Colours::blue);

    button.mouseExit (mouseEventFor (button));
    EXPECT_TRUE (closeTo (button.middlePixel(), glowAt (0.6))) << "it pulses on from where it was";

    notices = 0;
    button.setBlinking (false);
    EXPECT_FALSE (button.getToggleState() || button.isTimerRunning());
    EXPECT_EQ (button.middlePixel(), juce::Colours::black);
    EXPECT_EQ (notices, 0);
}

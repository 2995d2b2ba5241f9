#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// An image button that pulses a reddish glow over its normal image while it
// blinks. Blinking is its toggle state; under the mouse and while pressed it
// stops pulsing and looks like a plain image button. Its timer is public:
// owners may also start and stop the pulse by it.
class BlinkImageButton : public juce::ImageButton,
                         public juce::Timer
{
public:
    static constexpr int blinkIntervalMs = 50;

    explicit BlinkImageButton (const juce::String& name);

    void setBlinking (bool shouldBlink);

    double getPhase() const noexcept { return phase; }

    // One step of the pulse, as each timer tick makes it: the phase swings
    // between about 0 and 1 in steps of 0.05.
    void advancePhase();

protected:
    void paintButton (juce::Graphics&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

private:
    void timerCallback() override;
    void drawCentred (juce::Graphics&, juce::Image);

    double phase = 0.0;
    double step = 0.05;
};

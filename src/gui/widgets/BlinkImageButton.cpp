#include "gui/widgets/BlinkImageButton.h"

namespace
{
const juce::Colour glowColour (0xffb03010);
}

BlinkImageButton::BlinkImageButton (const juce::String& name)
    : juce::ImageButton (name)
{
}

void BlinkImageButton::setBlinking (bool shouldBlink)
{
    setToggleState (shouldBlink, juce::dontSendNotification);

    if (shouldBlink)
        startTimer (blinkIntervalMs);
    else
        stopTimer();
}

void BlinkImageButton::advancePhase()
{
    phase += step;

    if (phase < 0.0 || phase > 1.0)
        step = -step;

    if (! isOver() && ! isDown())
        repaint();
}

void BlinkImageButton::timerCallback()
{
    advancePhase();
}

void BlinkImageButton::drawCentred (juce::Graphics& g, juce::Image image)
{
    if (image.isValid())
        getLookAndFeel().drawImageButton (g, &image,
                                          (getWidth() - image.getWidth()) / 2, (getHeight() - image.getHeight()) / 2,
                                          image.getWidth(), image.getHeight(),
                                          juce::Colours::transparentBlack, 1.0f,
                                          *this);
}

void BlinkImageButton::paintButton (juce::Graphics& g, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    if (! getToggleState())
    {
        juce::ImageButton::paintButton (g, shouldDrawButtonAsHighlighted, shouldDrawButtonAsDown);
        return;
    }

    // The framework's image button would show its pressed image all the time
    // the toggle state is on; under the mouse it is the over image here.
    if (shouldDrawButtonAsDown || shouldDrawButtonAsHighlighted)
    {
        drawCentred (g, shouldDrawButtonAsDown ? getDownImage() : getOverImage());
        return;
    }

    const auto image = getNormalImage();

    if (! image.isValid())
        return;

    const int x = (getWidth() - image.getWidth()) / 2;
    const int y = (getHeight() - image.getHeight()) / 2;

    g.setOpacity (1.0f);
    g.drawImageAt (image, x, y);
    g.setColour (glowColour.withAlpha ((float) (0.1 + 0.35 * phase)));
    g.drawImageAt (image, x, y, true);
}

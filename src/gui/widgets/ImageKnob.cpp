#include "gui/widgets/ImageKnob.h"

namespace
{
const juce::Colour mouseOverMask (0x28ffffff);
}

ImageKnob::ImageKnob (const juce::String& name, const juce::Image& image)
    : juce::Slider (name), filmStrip (image)
{
    addKeyListener (this);
}

ImageKnob::~ImageKnob()
{
    removeKeyListener (this);
}

void ImageKnob::setImage (const juce::Image& newFilmStrip)
{
    filmStrip = newFilmStrip;
    repaint();
}

void ImageKnob::setFrameCount (int newFrameCount)
{
    frameCount = newFrameCount;
    repaint();
}

bool ImageKnob::keyPressed (const juce::KeyPress& key, juce::Component*)
{
    if (key.getKeyCode() == juce::KeyPress::upKey)
        setValue (getValue() + 1.0, juce::sendNotificationSync);
    else if (key.getKeyCode() == juce::KeyPress::downKey)
        setValue (getValue() - 1.0, juce::sendNotificationSync);
    else
        return false;

    return true;
}

// The minimum shows the first frame and the maximum the last; the small
// offset keeps values just above a frame's start on that frame.
int ImageKnob::currentFrame() const
{
    const double range = getMaximum() - getMinimum();
    const double proportion = range > 0.0 ? (getValue() - getMinimum()) / range : 0.0;
    const double frame = proportion * frameCount - 1.0 / (frameCount - 1);

    return (int) juce::jlimit (0.0, (double) (frameCount - 1), frame);
}

void ImageKnob::paint (juce::Graphics& g)
{
    if (! filmStrip.isValid() || frameCount <= 0)
    {
        juce::Slider::paint (g);
        return;
    }

    const int width = filmStrip.getWidth();
    const int frameHeight = filmStrip.getHeight() / frameCount;
    const int frameTop = currentFrame() * frameHeight;

    g.setOpacity (isEnabled() ? 1.0f : 0.5f);
    g.drawImage (filmStrip, 0, 0, width, frameHeight, 0, frameTop, width, frameHeight);

    if (mouseIsOver)
    {
        g.setColour (mouseOverMask);
        g.drawImage (filmStrip, 0, 0, width, frameHeight, 0, frameTop, width, frameHeight, true);
    }
}

void ImageKnob::mouseEnter (const juce::MouseEvent& e)
{
    juce::Slider::mouseEnter (e);
    mouseIsOver = true;
    repaint();
}

void ImageKnob::mouseExit (const juce::MouseEvent& e)
{
    juce::Slider::mouseExit (e);
    mouseIsOver = false;
    repaint();
}

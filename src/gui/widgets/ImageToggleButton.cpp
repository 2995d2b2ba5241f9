#include "gui/widgets/ImageToggleButton.h"

ImageToggleButton::ImageToggleButton (const juce::String& name)
    : juce::ImageButton (name)
{
}

void ImageToggleButton::setOnImages (const juce::Image& on, const juce::Image& onPressed)
{
    onImage = on.createCopy();
    onPressedImage = onPressed.createCopy();
}

void ImageToggleButton::setOffImages (const juce::Image& off, const juce::Image& offPressed)
{
    offImage = off.createCopy();
    offPressedImage = offPressed.createCopy();
}

void ImageToggleButton::setHighlighting (bool shouldHighlight)
{
    highlighting = shouldHighlight;
}

juce::Colour ImageToggleButton::highlightOverlay() const
{
    return highlighting ? juce::Colour (0x38ffffff) : juce::Colours::transparentBlack;
}

void ImageToggleButton::updateImages()
{
    const bool on = getToggleState();
    const auto& image = on ? onImage : offImage;
    const auto& pressedImage = on ? onPressedImage : offPressedImage;

    setImages (false, false, true,
               image, 1.0f, juce::Colours::transparentBlack,
               image, 1.0f, highlightOverlay(),
               pressedImage, 1.0f, highlightOverlay());
}

void ImageToggleButton::paintButton (juce::Graphics& g, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    const bool down = isEnabled() && shouldDrawButtonAsDown;
    const bool over = isEnabled() && shouldDrawButtonAsHighlighted;
    auto image = down ? getDownImage() : (over ? getOverImage() : getNormalImage());

    if (! image.isValid())
        return;

    getLookAndFeel().drawImageButton (g, &image,
                                      (getWidth() - image.getWidth()) / 2, (getHeight() - image.getHeight()) / 2,
                                      image.getWidth(), image.getHeight(),
                                      (down || over) ? highlightOverlay() : juce::Colours::transparentBlack,
                                      1.0f, *this);
}

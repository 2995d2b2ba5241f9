#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// An image button with one pair of images (normal and pressed) for the on
// state and one for the off state. The owner calls updateImages after every
// change of the toggle state to install the pair of that state; under the
// mouse and while pressed the images are lightened, unless highlighting is
// switched off.
class ImageToggleButton : public juce::ImageButton
{
public:
    explicit ImageToggleButton (const juce::String& name);

    // Both keep copies of the images.
    void setOnImages (const juce::Image& on, const juce::Image& onPressed);
    void setOffImages (const juce::Image& off, const juce::Image& offPressed);

    void setHighlighting (bool shouldHighlight);

    void updateImages();

protected:
    // The framework's image button shows its pressed image all the time its
    // toggle state is on; here the image follows the mouse in both states.
    void paintButton (juce::Graphics&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

private:
    juce::Colour highlightOverlay() const;

    juce::Image onImage, onPressedImage, offImage, offPressedImage;
    bool highlighting = true;
};

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A push button of the sample page drawn with two skin images: the image
// of its name while up, lightened under the mouse, and the image of its
// name + "Down" while pressed.
class SampleImageButton : public juce::ImageButton
{
public:
    SampleImageButton (const juce::String& name, const juce::String& text, const juce::String& imageName,
                       juce::Colour overOverlay);

    // The same images on any image button.
    static void setSkinImages (juce::ImageButton& button, const juce::String& imageName, juce::Colour overOverlay);
};

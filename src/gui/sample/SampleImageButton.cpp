#include "gui/sample/SampleImageButton.h"

#include "gui/widgets/ImageResourceManager.h"

SampleImageButton::SampleImageButton (const juce::String& name, const juce::String& text,
                                      const juce::String& imageName, juce::Colour overOverlay)
    : juce::ImageButton (name)
{
    setButtonText (text);
    setSkinImages (*this, imageName, overOverlay);
}

void SampleImageButton::setSkinImages (juce::ImageButton& button, const juce::String& imageName,
                                       juce::Colour overOverlay)
{
    const auto normal = ImageResourceManager::imageFor (imageName);
    const auto down = ImageResourceManager::imageFor (imageName + "Down");
    button.setImages (false, true, true,
                      normal, 1.0f, juce::Colours::transparentBlack,
                      normal, 1.0f, overOverlay,
                      down, 1.0f, juce::Colours::transparentBlack);
}

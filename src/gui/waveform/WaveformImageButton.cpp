#include "gui/waveform/WaveformImageButton.h"

#include "gui/widgets/ImageResourceManager.h"

void WaveformImageButton::setImages (juce::ImageButton& button, const juce::String& imageName)
{
    const auto normal = ImageResourceManager::imageFor (imageName);
    const auto down = ImageResourceManager::imageFor (imageName + "Down");
    button.setImages (false, true, true,
                      normal, 1.0f, juce::Colours::transparentBlack,
                      normal, 1.0f, juce::Colour (0x44ffffff),
                      down.isValid() ? down : normal, 1.0f, juce::Colours::transparentBlack);
}

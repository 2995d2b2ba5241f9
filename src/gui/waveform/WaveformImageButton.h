#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The waveform editor's image buttons: the image of the name, lighter under
// the mouse, and its "Down" image (or the same image) while pressed.
namespace WaveformImageButton
{
    void setImages (juce::ImageButton& button, const juce::String& imageName);
}

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The skin pieces the bank pages share: image buttons lit under the mouse,
// and a background of a top image, a bottom image and a middle image
// repeated between them.
namespace PageSkin
{
    // Normal image, the same lightened under the mouse, the pressed image
    // while pressed; the button keeps its size.
    void setButtonImages (juce::ImageButton& button, const juce::String& imageName, const juce::String& pressedImageName);

    // The images prefix + "Top", prefix + "Loop" and prefix + "Bottom" over
    // the whole area.
    void paintBackground (juce::Graphics& g, juce::Rectangle<int> area, const juce::String& imagePrefix);
}

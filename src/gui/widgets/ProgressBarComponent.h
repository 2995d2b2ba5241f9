#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A fraction from 0 to 1 shown as a bar with its percentage ("42%") on top.
// Only the program moves it: the mouse passes through it.
class ProgressBarComponent : public juce::Slider
{
public:
    ProgressBarComponent();

    // The value × 100 without decimals, followed by "%".
    juce::String getTextFromValue (double value) override;
};

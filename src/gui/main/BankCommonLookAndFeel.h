#pragma once

#include "gui/widgets/CustomLookAndFeel.h"

// The look of the bank strip's tempo slider: plus and minus image buttons
// and a white value box on a transparent background.
class BankCommonLookAndFeel : public CustomLookAndFeel
{
public:
    juce::Button* createSliderButton (juce::Slider&, bool isIncrement) override;
    juce::Label* createSliderTextBox (juce::Slider&) override;
};

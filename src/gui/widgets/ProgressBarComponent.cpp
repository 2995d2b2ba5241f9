#include "gui/widgets/ProgressBarComponent.h"

ProgressBarComponent::ProgressBarComponent()
    : juce::Slider ("ProgressBar")
{
    setSliderStyle (juce::Slider::LinearBar);
    setRange (0.0, 1.0, 0.01);
    setTextBoxIsEditable (false);
    setInterceptsMouseClicks (false, false);
}

juce::String ProgressBarComponent::getTextFromValue (double value)
{
    return juce::String (juce::roundToInt (value * 100.0)) + "%";
}

#pragma once

#include "gui/sample/SampleParameterKnob.h"

// The Pan knob: 64 is the centre ("CNT"), values below it lean left
// ("L1" to "L63"), values above it right ("R1" to "R63").
class SamplePanParameterKnob : public SampleParameterKnob
{
public:
    static constexpr int centre = 64;

    SamplePanParameterKnob (const juce::String& name, int parameterId);

    juce::String valueToText (double value) const override;

    // "cnt", "l" or "r" with a number, or a plain number counted from the
    // centre; anything else is the centre.
    double textToValue (const juce::String& text) const override;
};

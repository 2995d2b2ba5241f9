#pragma once

#include "gui/sample/SampleParameterKnob.h"

// The Tune knob: the stored values 0 to 127 read as cents from −99 to 99,
// finer near the middle than at the ends.
class SamplePitchParameterKnob : public SampleParameterKnob
{
public:
    SamplePitchParameterKnob (const juce::String& name, int parameterId);

    // The cents of a stored value (held to 0..127).
    static int centsOf (int value);

    // The cents value.
    juce::String valueToText (double value) const override;

    // The first stored value that reaches the typed cents (held to −99..99).
    double textToValue (const juce::String& text) const override;
};

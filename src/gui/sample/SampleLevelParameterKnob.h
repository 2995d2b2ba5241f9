#pragma once

#include "gui/sample/SampleParameterKnob.h"

class StringTable;

// The Level knob: the stored values 0 to 127 read as decibels, from
// silence through −74 dB to +12 dB, in the words of the parameter-string
// list "AmpLevel".
class SampleLevelParameterKnob : public SampleParameterKnob
{
public:
    static constexpr int zeroDecibelValue = 101;   // the middle of the five values at 0 dB

    // Without the table (null) the values show as numbers. The table must
    // outlive the knob.
    SampleLevelParameterKnob (const juce::String& name, int parameterId, const StringTable* parameterStrings);

    // The decibels of a stored value from 1 to 127; value 0 is silence.
    static double decibelsOf (int value);

    juce::String valueToText (double value) const override;

    // "-inf…" is silence, 0 dB the middle of its run; otherwise the first
    // value that reaches the typed decibels.
    double textToValue (const juce::String& text) const override;

private:
    const StringTable* const parameterStrings;
};

#include "gui/sample/SamplePitchParameterKnob.h"

#include "gui/sample/SampleCenterParameterKnob.h"

namespace
{
constexpr int maximumValue = 127;
constexpr int centsLimit = 99;
constexpr int valueWithoutMatch = 64;
}

SamplePitchParameterKnob::SamplePitchParameterKnob (const juce::String& name, int id)
    : SampleParameterKnob (name, id, 0, maximumValue, "ParameterKnobCenter127",
                           SampleCenterParameterKnob::centerFrameCount)
{
    valueShown();
}

// Coarse steps of 5 cents at both ends, single cents around the middle,
// which is five values wide.
int SamplePitchParameterKnob::centsOf (int value)
{
    value = juce::jlimit (0, maximumValue, value);

    if (value <= 2)   return -centsLimit;
    if (value <= 12)  return -95 + (value - 3) * 5;
    if (value <= 61)  return -49 + (value - 13);
    if (value <= 66)  return 0;
    if (value <= 116) return value - 66;
    if (value <= 125) return 55 + (value - 117) * 5;
    return centsLimit;
}

juce::String SamplePitchParameterKnob::valueToText (double value) const
{
    return juce::String (centsOf (juce::roundToInt (value)));
}

double SamplePitchParameterKnob::textToValue (const juce::String& text) const
{
    const int cents = juce::jlimit (-centsLimit, centsLimit, juce::roundToInt (text.trim().getDoubleValue()));

    for (int value = 0; value <= maximumValue; ++value)
        if (centsOf (value) >= cents)
            return value;

    return valueWithoutMatch;
}

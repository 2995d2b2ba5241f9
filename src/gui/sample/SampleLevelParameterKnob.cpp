#include "gui/sample/SampleLevelParameterKnob.h"

#include "resources/StringTable.h"

namespace
{
constexpr int maximumValue = 127;
constexpr double lowestDecibels = -74.0;
const juce::String levelList { "AmpLevel" };
}

SampleLevelParameterKnob::SampleLevelParameterKnob (const juce::String& name, int id, const StringTable* strings)
    : SampleParameterKnob (name, id, 0, maximumValue), parameterStrings (strings)
{
    valueShown();
}

// Steps of 1 dB up to −24, of 0.5 dB from there; five values at 0 dB.
double SampleLevelParameterKnob::decibelsOf (int value)
{
    if (value <= 51)  return lowestDecibels + (value - 1);
    if (value <= 98)  return -23.5 + (value - 52) * 0.5;
    if (value <= 103) return 0.0;
    return 0.5 + (value - 104) * 0.5;
}

juce::String SampleLevelParameterKnob::valueToText (double value) const
{
    const int index = juce::jlimit (0, maximumValue, juce::roundToInt (value));

    if (parameterStrings == nullptr || parameterStrings->getNumItems (levelList) <= index)
        return juce::String (index);

    return parameterStrings->getItem (levelList, index);
}

double SampleLevelParameterKnob::textToValue (const juce::String& text) const
{
    const auto trimmed = text.trim();
    if (trimmed.startsWithIgnoreCase ("-inf"))
        return 0;

    // A following "dB" ends the number.
    const double decibels = trimmed.getDoubleValue();
    if (decibels == 0.0)
        return zeroDecibelValue;
    if (decibels < lowestDecibels)
        return 0;

    for (int value = 1; value <= maximumValue; ++value)
        if (decibelsOf (value) >= decibels)
            return value;

    return maximumValue;
}

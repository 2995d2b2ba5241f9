#include "gui/sample/SamplePanParameterKnob.h"

namespace
{
constexpr int maximumValue = 127;
constexpr int widest = 63;
}

SamplePanParameterKnob::SamplePanParameterKnob (const juce::String& name, int id)
    : SampleParameterKnob (name, id, 0, maximumValue, "ParameterKnobCenter")
{
    valueShown();
}

juce::String SamplePanParameterKnob::valueToText (double value) const
{
    const int pan = juce::roundToInt (value);

    if (pan == centre)
        return "CNT";
    if (pan > centre)
        return "R" + juce::String (juce::jmin (widest, pan - centre));
    return "L" + juce::String (juce::jmin (widest, centre - pan));
}

double SamplePanParameterKnob::textToValue (const juce::String& text) const
{
    const auto typed = text.trim().toLowerCase();
    if (typed.isEmpty())
        return 0;

    const auto first = typed[0];
    int pan = centre;

    if (typed == "cnt")
        pan = centre;
    else if (first == 'l')
        pan = centre - juce::roundToInt (typed.substring (1).getDoubleValue());
    else if (first == 'r')
        pan = centre + juce::roundToInt (typed.substring (1).getDoubleValue());
    else if (juce::CharacterFunctions::isDigit (first) || first == '-' || first == '+')
        pan = centre + juce::roundToInt (typed.getDoubleValue());

    return juce::jlimit (0, maximumValue, pan);
}

#include "cli/SampleKeyArgument.h"

namespace SampleKeyArgument
{
namespace
{
constexpr int numSlots = 36;
constexpr int firstOctave = 3;
const char* const pitchNames[] = { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };
}

int parse (const juce::String& text)
{
    if (text.containsOnly ("0123456789") && text.isNotEmpty() && text.length() <= 2)
        return text.getIntValue() < numSlots ? text.getIntValue() : -1;

    for (int index = 0; index < numSlots; ++index)
        if (text.equalsIgnoreCase (keyName (index)))
            return index;

    return -1;
}

juce::String keyName (int index)
{
    return juce::String (pitchNames[index % 12]) + juce::String (firstOctave + index / 12);
}
}

#include "device/TransferStatus.h"

#include "resources/CZQVResource.h"

namespace TransferStatus
{
namespace
{
constexpr int firstSampleNote = 48;
const char* const noteNames[] = { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };
}

juce::String bankLabel (int bankIndex)
{
    return juce::String ("ABCDEFGH").substring (bankIndex, bankIndex + 1);
}

juce::String sampleLabel (int sampleIndex)
{
    const int note = firstSampleNote + juce::jlimit (0, 35, sampleIndex);
    return juce::String (noteNames[note % 12]) + juce::String (note / 12 - 1);
}

juce::String patternLabel (int patternIndex)
{
    return juce::String (patternIndex + 1);
}

juce::String line (const Keys& keys, const juce::String& label)
{
    return CZQVResource::text (keys.pre) + label + CZQVResource::text (keys.post);
}
}

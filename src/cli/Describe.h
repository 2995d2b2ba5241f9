#pragma once

#include <juce_core/juce_core.h>

class AllData;
class BankData;
class BankDataInformation;
class EffectData;
class GlobalData;
class SampleData;
class SequenceData;
class SequenceSet;

// JSON and text descriptions of data, shared by the commands that print it.
namespace Describe
{
    juce::String sha256Hex (const void* data, size_t size);

    // {"name", "sourceFileName", "channels", "frames", "sampleRate",
    //  "headerFlag", "memoryBytes", "pcmSha256", "parameters": {...}}
    juce::DynamicObject::Ptr sample (const SampleData& sample);

    // {"type", "typeName", "knob1", "knob2", "image": the 36 image bytes as
    //  72 lower-case hex digits}
    juce::DynamicObject::Ptr effect (const EffectData& effect);
    // {"name", "size", "length", "recordedLength", "keyboardSample" (0 to 35),
    //  "sha256" of the pattern's block bytes}
    juce::DynamicObject::Ptr pattern (const SequenceData& pattern);

    // The 16 patterns of a set, in order.
    juce::var patterns (const SequenceSet& set);

    // {"image": 32 hex digits, "fields": {"metronome", ..., "endTrim"}}
    juce::DynamicObject::Ptr global (const GlobalData& global);

    // {"name", "tempo", "audioInThruFx", "fits", "freeSampleMemory",
    //  "freePatternMemory", "samples": [36 × sample], "patterns": [16 × pattern],
    //  "effect"}
    juce::DynamicObject::Ptr bank (const BankData& bank);

    // {"banks": [8 × {"letter", "name", "sampleNames", "patternNames",
    //  "effectType", "fits"}], "global"}; from the stored banks' summaries.
    juce::DynamicObject::Ptr allData (const AllData& all);

    // The same facts as lines of "key: value", nested objects indented.
    juce::String asText (const juce::var& value, int indent = 0);
}

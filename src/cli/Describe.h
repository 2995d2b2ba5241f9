#pragma once

#include <juce_core/juce_core.h>

class SampleData;

// JSON and text descriptions of data, shared by the commands that print it.
namespace Describe
{
    juce::String sha256Hex (const void* data, size_t size);

    // {"name", "sourceFileName", "channels", "frames", "sampleRate",
    //  "headerFlag", "memoryBytes", "pcmSha256", "parameters": {...}}
    juce::DynamicObject::Ptr sample (const SampleData& sample);

    // The same facts as lines of "key: value", nested objects indented.
    juce::String asText (const juce::var& value, int indent = 0);
}

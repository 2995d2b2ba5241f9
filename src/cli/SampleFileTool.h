#pragma once

#include "cli/CliCommand.h"

#include <functional>

class Data;
class SampleData;

// What the sample commands share: reading a sample file, writing an output
// that never stays half-written, options and the report of a result.
namespace SampleFileTool
{
    juce::File resolve (const juce::String& path);

    // Reads a file of the program into the data (which must be its root
    // chunk, e.g. a sample for a ".plvr_sample" file); the message key of a
    // failure, else empty.
    juce::String readFile (const juce::File& file, Data& data);

    // Takes "--NAME VALUE" out of the arguments; false when the value is
    // missing. `value` stays unchanged when the option is absent.
    bool takeOption (juce::StringArray& arguments, const juce::String& name, juce::String& value);

    // A whole decimal number.
    bool parseInt (const juce::String& text, int& value);

    // The written sample: described as JSON, or one line of text.
    int reportWritten (CliContext& context, const juce::File& output, const SampleData& sample);
}

#pragma once

#include <juce_core/juce_core.h>

// Runs the command-line tool as a user would and collects what it printed.
struct CliResult
{
    int exitCode = -1;
    juce::String out;
    juce::String err;

    juce::var json() const { return juce::JSON::parse (out); }
};

CliResult runCli (const juce::StringArray& arguments, const juce::File& workingDirectory = juce::File::getCurrentWorkingDirectory());

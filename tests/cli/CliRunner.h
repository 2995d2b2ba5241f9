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

// shellPrefix stands before the tool in the shell's command line: a limit
// ("ulimit -f 8;") or variables ("TMPDIR=/x").
CliResult runCli (const juce::StringArray& arguments, const juce::File& workingDirectory = juce::File::getCurrentWorkingDirectory(),
                  const juce::String& shellPrefix = {});

// Every name in the folder, sorted, hidden ones (temporary files) included:
// what a command left behind.
juce::StringArray folderContents (const juce::File& folder);

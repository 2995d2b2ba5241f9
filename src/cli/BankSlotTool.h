#pragma once

#include "cli/CliCommand.h"

class BankData;

// What "extract" and "insert" share: a bank file, and either one of its
// samples or its pattern set together with the file that holds it alone.
namespace BankSlotTool
{
    struct Target
    {
        juce::File bankFile;
        bool patterns = false;      // the pattern set, else one sample
        int sampleIndex = 0;        // 0 to 35
        juce::File partFile;        // ".plvr_sample" or ".plvr_seq"
    };

    // Parses "BANK (--sample KEY FILE | --patterns FILE)" against the
    // working folder; the problem with the arguments, or empty.
    juce::String parse (const juce::StringArray& arguments, Target& target);

    // Keys C3 to B5 with sharps ("C#4"), in any case, or an index 0 to 35.
    bool parseSampleKey (const juce::String& text, int& sampleIndex);
    juce::String keyName (int sampleIndex);

    // Reads a whole bank file; the message key of a failure, or empty.
    juce::String readBank (const juce::File& file, BankData& bank);

    // One line of text, or with --json {"bank", "file", "sample" (key and
    // index) or "patterns", and "freeSampleMemory", "freePatternMemory"}.
    int reportDone (CliContext& context, const juce::String& action, const Target& target, const BankData& bank);

    // The usage line the two commands share.
    juce::String argumentsText (const juce::String& command, const juce::String& partRole);
}

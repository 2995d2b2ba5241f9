#pragma once

#include <juce_core/juce_core.h>

class SequenceData;
class SequenceSet;

// What the smf-import and smf-export commands share.
namespace SmfCommandSupport
{
    // The arguments: two file names in order, --pattern N (1 to 16) and
    // --channels G,K (MIDI channels 1 to 16 of part 0 and part 1, default 1,2).
    struct Options
    {
        juce::StringArray files;
        int patternIndex = -1;   // 0 to 15
        int part0Channel = 0;    // 0 to 15
        int part1Channel = 1;    // 0 to 15

        // Empty when the arguments are fine, else what is wrong with them.
        juce::String parse (const juce::StringArray& arguments);
    };

    // Reads a pattern set file; throws Exception with the failure's key.
    void readPatternSet (const juce::File& file, SequenceSet& set);

    // {"pattern": N (1 to 16), "name", "lengthParameter", "recordedLength",
    //  "size", "keyboardSample"}
    juce::DynamicObject::Ptr describePattern (const SequenceData& pattern, int patternIndex);
}

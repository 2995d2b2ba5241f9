#pragma once

#include <juce_core/juce_core.h>

// The status lines of the bank and pattern-set transfers: the text of a
// "..._Pre" key, a label naming the bank, sample or pattern, and the text of
// the matching "..._Post" key.
namespace TransferStatus
{
    struct Keys
    {
        const char* pre;
        const char* post;
    };

    // "A" to "H" for banks 0 to 7.
    juce::String bankLabel (int bankIndex);

    // The note a sample sits on: sample 0 is C3 (note 48), sample 35 B5.
    juce::String sampleLabel (int sampleIndex);

    // "1" to "16" for patterns 0 to 15.
    juce::String patternLabel (int patternIndex);

    juce::String line (const Keys& keys, const juce::String& label);
}

#pragma once

#include "data/Clipboard.h"

#include <juce_data_structures/juce_data_structures.h>

#include <memory>

class ActionBase;
class DataCenter;

// Cut, copy, paste and clear of the edit bank's samples (0 to 35) and
// patterns (0 to 15) through the clipboard, and copying and swapping
// patterns inside the bank. Every change is an undo transaction of its own;
// copying to the clipboard changes nothing and is not recorded. Each
// operation answers whether it did what it was asked. Message thread only.
//
// The clipboard holds a sample as one whole sample chunk, byte for byte as
// in a sample file, and a pattern as its raw SEQP block.
class BankItemOperations
{
public:
    static inline const juce::String sampleFormat { "X3872ClipboardSampleData" };
    static inline const juce::String patternFormat { "X3872ClipboardSequenceData" };

    BankItemOperations (DataCenter& dataCenter, juce::UndoManager& history, Clipboard& clipboard);

    bool copySample (int index);

    // Clears the sample only once it is on the clipboard: a cut that cannot
    // reach the clipboard leaves the sample where it is.
    bool cutSample (int index);

    // After the memory check; clipboard data that is not a sample chunk is
    // ignored.
    bool pasteSample (int index);
    bool clearSample (int index);

    bool copyPattern (int index);
    bool cutPattern (int index);

    // After the memory check; data longer than a pattern can be is refused.
    bool pastePattern (int index);
    bool clearPattern (int index);

    // Pattern destination becomes a copy of pattern source, after the
    // memory check.
    bool copyPatternOver (int source, int destination);

    // One undo step; no memory check, the bank's use does not change.
    bool swapPatterns (int first, int second);

private:
    bool record (const juce::String& transactionName, std::unique_ptr<ActionBase> action);

    DataCenter& dataCenter;
    juce::UndoManager& history;
    Clipboard& clipboard;
};

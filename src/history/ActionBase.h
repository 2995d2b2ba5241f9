#pragma once

#include "history/ActionContext.h"

#include <juce_data_structures/juce_data_structures.h>

class BankData;
class DataCenter;
class SampleData;
class SequenceData;

// The base of every undoable action of the program. An action works on the
// bank that the data center is editing at the time it runs, found afresh
// through the current ActionContext, and refers to samples and patterns by
// index only. A perform or undo that cannot find what it addresses answers
// false and changes nothing. Actions are performed, undone and redone on
// the message thread only, like everything else that uses the history.
//
// The steps below are shared by the actions; without a context they find
// nothing and tell nobody.
class ActionBase : public juce::UndoableAction
{
protected:
    ActionBase() = default;

    // Single parameter changes address a block of the device: 0 is the bank
    // parameters, 16 + index a sample's parameters, 80 the effect.
    static constexpr int bankBlock = 0;
    static constexpr int firstSampleBlock = 16;

    static DataCenter* findDataCenter();
    static BankData* findEditBank();
    static SampleData* findSample (int sampleIndex);
    static SequenceData* findPattern (int patternIndex);

    // The data center's modified flag: read before a change, set after it,
    // and put back by undo.
    static bool isModified();
    static void markModified();
    static void restoreModified (bool wasModified);

    // Undo of a change to a sample's audio: the saved copy goes back into
    // the slot, the modified flag is put back and the player takes the
    // sample. False when there is no such slot.
    static bool putBackSample (int sampleIndex, const SampleData& saved, bool wasModified);

    static void refreshPlayer (int sampleIndex);
    static void clearWaveSelection();
    static void setSampleNotice (int sampleIndex, bool on);
    static void setPatternSetNotice();

    // Units of a sample copy in the history: its audio at 16 bits.
    static int audioUnits (const SampleData& sample);

    static void sendParameterChange (int block, int parameter, int value);

    // Sends a name character by character to parameters 0 to 7 of the
    // block, padded with spaces to eight characters.
    static void sendName (int block, const juce::String& name);
};

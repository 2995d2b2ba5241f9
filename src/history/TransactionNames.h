#pragma once

#include <juce_core/juce_core.h>

// The names of the undo transactions. The Edit menu shows the text of the
// string-table key "UndoableAction_" + name.
namespace TransactionNames
{
    inline const juce::String editSampleParameter   { "EditSampleParameter" };
    inline const juce::String editSampleName        { "EditSampleName" };
    inline const juce::String editBankParameter     { "EditBankParameter" };
    inline const juce::String editEffectParameter   { "EditEffectParameter" };
    inline const juce::String editSequenceParameter { "EditSequenceParameter" };
    inline const juce::String waveEdit              { "WaveEdit" };
    inline const juce::String fsConvert             { "FsConvert" };
    inline const juce::String copySample            { "CopySample" };
    inline const juce::String swapSample            { "SwapSample" };
    inline const juce::String cutSample             { "CutSample" };
    inline const juce::String pasteSample           { "PasteSample" };
    inline const juce::String clearSample           { "ClearSample" };
    inline const juce::String copySequence          { "CopySequence" };
    inline const juce::String swapSequence          { "SwapSequence" };
    inline const juce::String cutSequence           { "CutSequence" };
    inline const juce::String pasteSequence         { "PasteSequence" };
    inline const juce::String clearSequence         { "ClearSequence" };
    inline const juce::String loadSample            { "LoadSample" };
    inline const juce::String importSample          { "ImportSample" };
    inline const juce::String loadSequence          { "LoadSequence" };
    inline const juce::String importSmf             { "ImportSmf" };
    inline const juce::String receiveSample         { "ReceiveSample" };
    inline const juce::String receiveEffect         { "ReceiveEffect" };
    inline const juce::String receiveSequence       { "ReceiveSequence" };

    // The string-table key of a transaction's menu text.
    inline juce::String menuTextKey (const juce::String& name) { return "UndoableAction_" + name; }
}

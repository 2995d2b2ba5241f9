#include "data/BankItemOperations.h"

#include "app/Exception.h"
#include "data/DataCenter.h"
#include "history/SampleAudioActions.h"
#include "history/SetNewActions.h"
#include "history/TransactionNames.h"

namespace
{
bool isSampleIndex (int index)
{
    return index >= 0 && index < SampleSet::numSamples;
}
}

BankItemOperations::BankItemOperations (DataCenter& center, juce::UndoManager& undoManager, Clipboard& board)
    : dataCenter (center), history (undoManager), clipboard (board)
{
}

bool BankItemOperations::record (const juce::String& transactionName, std::unique_ptr<ActionBase> action)
{
    history.beginNewTransaction (transactionName);
    return history.perform (action.release());
}

//==============================================================================
bool BankItemOperations::copySample (int index)
{
    if (! isSampleIndex (index))
        return false;

    juce::MemoryOutputStream chunk;

    try
    {
        if (! dataCenter.getEditBank().getSample (index).writeTo (chunk))
            return false;
    }
    catch (const Exception&)
    {
        return false;
    }

    return clipboard.put (sampleFormat, chunk.getData(), chunk.getDataSize());
}

bool BankItemOperations::cutSample (int index)
{
    return copySample (index)
        && record (TransactionNames::cutSample, std::make_unique<ClearSampleAction> (index));
}

bool BankItemOperations::pasteSample (int index)
{
    juce::MemoryBlock bytes;

    if (! isSampleIndex (index) || ! dataCenter.checkSampleMemory() || ! clipboard.get (sampleFormat, bytes))
        return false;

    SampleData sample;
    juce::MemoryInputStream chunk (bytes, false);

    try
    {
        if (! sample.readFrom (chunk))
            return false;
    }
    catch (const Exception&)
    {
        return false;
    }

    return record (TransactionNames::pasteSample, std::make_unique<SetNewSampleAction> (index, sample));
}

bool BankItemOperations::clearSample (int index)
{
    return record (TransactionNames::clearSample, std::make_unique<ClearSampleAction> (index));
}

//==============================================================================
bool BankItemOperations::copyPattern (int index)
{
    auto* pattern = dataCenter.getEditBank().getPattern (index);
    return pattern != nullptr && clipboard.put (patternFormat, pattern->getBlock().getData(), pattern->getBlock().getSize());
}

bool BankItemOperations::cutPattern (int index)
{
    return copyPattern (index)
        && record (TransactionNames::cutSequence, std::make_unique<SetNewSequenceAction> (index, SequenceData()));
}

bool BankItemOperations::pastePattern (int index)
{
    juce::MemoryBlock bytes;
    SequenceData pattern;

    if (dataCenter.getEditBank().getPattern (index) == nullptr
        || ! dataCenter.checkPatternMemory()
        || ! clipboard.get (patternFormat, bytes)
        || ! pattern.setBlock (bytes.getData(), bytes.getSize()))
        return false;

    return record (TransactionNames::pasteSequence, std::make_unique<SetNewSequenceAction> (index, pattern));
}

bool BankItemOperations::clearPattern (int index)
{
    return record (TransactionNames::clearSequence, std::make_unique<SetNewSequenceAction> (index, SequenceData()));
}

bool BankItemOperations::copyPatternOver (int source, int destination)
{
    auto* pattern = dataCenter.getEditBank().getPattern (source);

    if (pattern == nullptr || ! dataCenter.checkPatternMemory())
        return false;

    return record (TransactionNames::copySequence, std::make_unique<SetNewSequenceAction> (destination, *pattern));
}

bool BankItemOperations::swapPatterns (int first, int second)
{
    auto& bank = dataCenter.getEditBank();
    auto* a = bank.getPattern (first);
    auto* b = bank.getPattern (second);

    if (a == nullptr || b == nullptr)
        return false;

    const SequenceData firstCopy (*a);
    history.beginNewTransaction (TransactionNames::swapSequence);
    return history.perform (new SetNewSequenceAction (first, *b))
        && history.perform (new SetNewSequenceAction (second, firstCopy));
}

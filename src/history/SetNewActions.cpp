#include "history/SetNewActions.h"

#include "data/BankData.h"

//==============================================================================
SetNewSampleAction::SetNewSampleAction (int index, const SampleData& sample)
    : sampleIndex (index), newSample (sample)
{
}

bool SetNewSampleAction::perform()
{
    auto* sample = findSample (sampleIndex);

    if (sample == nullptr)
        return false;

    savedModified = isModified();
    oldSample.copyFrom (*sample);
    sample->copyFrom (newSample);
    markModified();
    refreshPlayer (sampleIndex);
    clearWaveSelection();
    setSampleNotice (sampleIndex, true);
    return true;
}

bool SetNewSampleAction::undo()
{
    auto* sample = findSample (sampleIndex);

    if (sample == nullptr)
        return false;

    sample->copyFrom (oldSample);
    restoreModified (savedModified);
    refreshPlayer (sampleIndex);
    clearWaveSelection();
    setSampleNotice (sampleIndex, true);
    return true;
}

int SetNewSampleAction::getSizeInUnits()
{
    return audioUnits (oldSample) + audioUnits (newSample) + (int) sizeof (*this);
}

//==============================================================================
SetNewEffectAction::SetNewEffectAction (const EffectData::Image& image)
{
    newEffect.setImage (image);
}

bool SetNewEffectAction::perform()
{
    auto* bank = findEditBank();

    if (bank == nullptr)
        return false;

    savedModified = isModified();
    oldEffect.setImage (bank->getEffect().getImage());
    bank->getEffect().setImage (newEffect.getImage());
    markModified();
    return true;
}

bool SetNewEffectAction::undo()
{
    auto* bank = findEditBank();

    if (bank == nullptr)
        return false;

    bank->getEffect().setImage (oldEffect.getImage());
    restoreModified (savedModified);
    return true;
}

int SetNewEffectAction::getSizeInUnits()
{
    return oldEffect.getChunkSize() + newEffect.getChunkSize() + 1;
}

//==============================================================================
SetNewSequenceAction::SetNewSequenceAction (int index, const SequenceData& pattern)
    : patternIndex (index), newPattern (pattern)
{
}

bool SetNewSequenceAction::perform()
{
    auto* pattern = findPattern (patternIndex);

    if (pattern == nullptr)
        return false;

    savedModified = isModified();
    oldPattern.copyFrom (*pattern);
    pattern->copyFrom (newPattern);
    markModified();
    setPatternSetNotice();
    return true;
}

bool SetNewSequenceAction::undo()
{
    auto* pattern = findPattern (patternIndex);

    if (pattern == nullptr)
        return false;

    pattern->copyFrom (oldPattern);
    restoreModified (savedModified);
    setPatternSetNotice();
    return true;
}

int SetNewSequenceAction::getSizeInUnits()
{
    return SequenceData::memoryForSize (newPattern.getSize())
         + SequenceData::memoryForSize (oldPattern.getSize())
         + (int) sizeof (*this);
}

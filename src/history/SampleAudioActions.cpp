#include "history/SampleAudioActions.h"

#include "audio/edit/SampleDataFsConverter.h"
#include "data/DataCenter.h"
#include "resources/MessageBoxes.h"

//==============================================================================
EditSampleAction::EditSampleAction (WaveOperation waveOperation, int index, const WaveSelectedStatus& waveSelection)
    : sampleIndex (index), operation (std::move (waveOperation)), selection (waveSelection)
{
}

bool EditSampleAction::perform()
{
    auto* sample = findSample (sampleIndex);

    if (sample == nullptr || operation == nullptr)
        return false;

    // An operation refuses a selection that does not fit the sample and
    // leaves it untouched; that makes no undo step.
    savedSample.copyFrom (*sample);
    if (operation (*sample, selection).isNotEmpty())
        return false;

    savedModified = isModified();
    markModified();
    refreshPlayer (sampleIndex);
    setSampleNotice (sampleIndex, true);
    return true;
}

bool EditSampleAction::undo()
{
    if (! putBackSample (sampleIndex, savedSample, savedModified))
        return false;

    setSampleNotice (sampleIndex, true);
    return true;
}

int EditSampleAction::getSizeInUnits()
{
    return audioUnits (savedSample) + (int) sizeof (*this);
}

//==============================================================================
FsConvertAction::FsConvertAction (int index, int rate)
    : sampleIndex (index), targetRate (rate)
{
}

bool FsConvertAction::perform()
{
    auto* sample = findSample (sampleIndex);

    if (sample == nullptr)
        return false;

    savedModified = isModified();
    savedSample.copyFrom (*sample);

    auto* bank = findEditBank();
    SampleDataFsConverter converter ([bank] { return bank->getFreeSampleMemory(); });
    const int result = converter.convert (*sample, targetRate);

    if (result == SampleDataFsConverter::notEnoughMemory)
        MessageBoxes::errorBox ("Error_NoFreeMemoryToFsConvert");

    // Refused conversions leave the sample as it was.
    if (result != SampleDataFsConverter::converted)
        return false;

    markModified();
    refreshPlayer (sampleIndex);
    setSampleNotice (sampleIndex, true);
    clearWaveSelection();
    return true;
}

bool FsConvertAction::undo()
{
    if (! putBackSample (sampleIndex, savedSample, savedModified))
        return false;

    setSampleNotice (sampleIndex, true);
    clearWaveSelection();
    return true;
}

int FsConvertAction::getSizeInUnits()
{
    return audioUnits (savedSample) + (int) sizeof (*this);
}

//==============================================================================
ClearSampleAction::ClearSampleAction (int index)
    : sampleIndex (index)
{
}

bool ClearSampleAction::perform()
{
    auto* sample = findSample (sampleIndex);

    if (sample == nullptr)
        return false;

    savedModified = isModified();
    savedSample.copyFrom (*sample);
    sample->resetToDefaults();
    markModified();
    clearWaveSelection();
    setSampleNotice (sampleIndex, false);
    refreshPlayer (sampleIndex);
    return true;
}

bool ClearSampleAction::undo()
{
    if (! putBackSample (sampleIndex, savedSample, savedModified))
        return false;

    clearWaveSelection();
    return true;
}

int ClearSampleAction::getSizeInUnits()
{
    return audioUnits (savedSample) + (int) sizeof (*this);
}

//==============================================================================
DragSampleAction::DragSampleAction (int source, int destination, bool copy)
    : sourceIndex (source), destinationIndex (destination), copyMode (copy)
{
}

bool DragSampleAction::perform()
{
    auto* center = findDataCenter();
    auto* destination = findSample (destinationIndex);

    if (center == nullptr || destination == nullptr)
        return false;

    savedModified = center->isModified();

    if (copyMode)
    {
        savedSample.copyFrom (*destination);

        // Refused when the bank's sample memory is already over budget
        // (after the message): nothing changed, nothing to record.
        if (! center->copySample (sourceIndex, destinationIndex))
            return false;
    }
    else
    {
        if (! center->swapSamples (sourceIndex, destinationIndex))
            return false;

        setSampleNotice (sourceIndex, true);
    }

    clearWaveSelection();
    setSampleNotice (destinationIndex, true);
    markModified();
    return true;
}

bool DragSampleAction::undo()
{
    auto* center = findDataCenter();
    auto* destination = findSample (destinationIndex);

    if (center == nullptr || destination == nullptr)
        return false;

    if (copyMode)
    {
        destination->copyFrom (savedSample);
        refreshPlayer (destinationIndex);
    }
    else
    {
        if (! center->swapSamples (sourceIndex, destinationIndex))
            return false;

        setSampleNotice (sourceIndex, true);
    }

    setSampleNotice (destinationIndex, true);
    clearWaveSelection();
    restoreModified (savedModified);
    return true;
}

int DragSampleAction::getSizeInUnits()
{
    return audioUnits (savedSample) + (int) sizeof (*this);
}

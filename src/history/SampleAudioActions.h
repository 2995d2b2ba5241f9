#pragma once

#include "app/WaveSelection.h"
#include "data/SampleData.h"
#include "history/ActionBase.h"

#include <functional>

// The actions below change a sample's audio. Each keeps a whole copy of the
// sample it changes, made on perform and put back by undo; the copy counts
// two units per frame and channel in the history (its audio at 16 bits).

// A wave edit (delete, truncate, silence, normalize, fade in, fade out) on
// the selection the action was made with.
class EditSampleAction : public ActionBase
{
public:
    using WaveOperation = std::function<juce::String (SampleData& sample, const WaveSelectedStatus& selection)>;

    EditSampleAction (WaveOperation operation, int sampleIndex, const WaveSelectedStatus& selection);

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override;

private:
    const int sampleIndex;
    const WaveOperation operation;
    const WaveSelectedStatus selection;
    bool savedModified = false;
    SampleData savedSample;
};

// Converts a sample to 48000, 24000, 12000 or 6000 Hz. A conversion that
// would not fit the bank's sample memory is refused with a message and
// leaves no undo step.
class FsConvertAction : public ActionBase
{
public:
    FsConvertAction (int sampleIndex, int targetRate);

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override;

private:
    const int sampleIndex;
    const int targetRate;
    bool savedModified = false;
    SampleData savedSample;
};

// Resets a sample to an empty one with default parameters (cut and clear).
// An empty slot has nothing left to transmit, so its notice goes off.
class ClearSampleAction : public ActionBase
{
public:
    explicit ClearSampleAction (int sampleIndex);

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override;

private:
    const int sampleIndex;
    bool savedModified = false;
    SampleData savedSample;
};

// Copies one sample over another, or swaps the two, by dragging on the
// sample keyboard. Only the copy keeps a sample (the destination's): a swap
// is undone by swapping again.
class DragSampleAction : public ActionBase
{
public:
    DragSampleAction (int sourceIndex, int destinationIndex, bool copyMode);

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override;

private:
    const int sourceIndex;
    const int destinationIndex;
    const bool copyMode;
    bool savedModified = false;
    SampleData savedSample;
};

#pragma once

#include "data/EffectData.h"
#include "data/SampleData.h"
#include "data/SequenceData.h"
#include "history/ActionBase.h"

// Puts a whole sample that came from a file, the clipboard or the device
// into a slot of the edit bank. The sample is copied when the action is
// made; the slot's previous sample is kept on perform for undo.
class SetNewSampleAction : public ActionBase
{
public:
    SetNewSampleAction (int sampleIndex, const SampleData& sample);

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override;

private:
    const int sampleIndex;
    SampleData oldSample;
    SampleData newSample;
    bool savedModified = false;
};

// Puts a whole effect image into the edit bank's effect. Nothing is sent to
// the device.
class SetNewEffectAction : public ActionBase
{
public:
    explicit SetNewEffectAction (const EffectData::Image& image);

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override;

private:
    EffectData oldEffect;
    EffectData newEffect;
    bool savedModified = false;
};

// Puts a whole pattern into a slot (0 to 15) of the edit bank. The pattern
// is copied when the action is made; the slot's previous pattern is kept on
// perform for undo.
class SetNewSequenceAction : public ActionBase
{
public:
    SetNewSequenceAction (int patternIndex, const SequenceData& pattern);

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override;

private:
    const int patternIndex;
    SequenceData newPattern;
    SequenceData oldPattern;
    bool savedModified = false;
};

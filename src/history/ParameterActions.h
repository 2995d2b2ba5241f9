#pragma once

#include "data/EffectParameterAccessor.h"
#include "history/ActionBase.h"

// One of the 14 parameters of a sample (ids as SampleData::Parameter). The
// device takes most of them at once as a parameter change; the original
// BPM and the start and end points only with the whole sample, so changing
// them switches the sample's transmit notice on instead.
class EditSampleParameterAction : public ActionBase
{
public:
    EditSampleParameterAction (int sampleIndex, int parameterId, int newValue);

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override { return (int) sizeof (*this); }

    // The parameter number of an id in the sample's block on the device, or
    // -1 when a parameter change cannot set it.
    static int deviceParameterFor (int parameterId);

private:
    void tellDevice (int value) const;

    const int sampleIndex;
    const int parameterId;
    const int newValue;
    int oldValue = 0;
    bool savedModified = false;
};

// The name of a sample; the device gets it character by character.
class EditSampleNameAction : public ActionBase
{
public:
    EditSampleNameAction (int sampleIndex, const juce::String& newName);

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override;

private:
    // Stores the name as the sample takes it and sends what it stored.
    void setName (SampleData& sample, const juce::String& name) const;

    const int sampleIndex;
    const juce::String newName;
    juce::String oldName;
    bool savedModified = false;
};

// The bank's name, tempo (tenths of a beat per minute) or audio-in-thru-FX
// switch, each sent to the device's bank parameters at once.
class EditBankParameterAction : public ActionBase
{
public:
    enum Kind { bankName = 0, tempo = 1, audioInThruFx = 2 };

    // The name is used by kind bankName only.
    EditBankParameterAction (int kind, int newValue, const juce::String& newName = {});

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override { return 8; }

private:
    void apply (BankData& bank, int value, const juce::String& name) const;

    const int kind;
    const int newValue;
    int oldValue = 0;
    const juce::String newName;
    juce::String oldName;
    bool savedModified = false;
};

// The effect type, a knob assignment or one effect parameter of the edit
// bank's effect. Undo puts back the whole effect image as it was, since a
// new type also brings new parameters and knob assignments.
class EditEffectParameterAction : public ActionBase
{
public:
    enum Kind { effectType = 0, knobAssign = 1, effectParameter = 2 };

    // The index is the knob (0 or 1) or the parameter slot (0 to 31).
    EditEffectParameterAction (int kind, int index, int newValue);

    bool perform() override;
    bool undo() override;
    int getSizeInUnits() override { return (int) sizeof (*this); }

private:
    EffectParameterAccessor::DeviceAddress deviceAddress() const;

    const int kind;
    const int index;
    const int newValue;
    int oldValue = 0;
    EffectData::Image savedImage {};
    bool savedModified = false;
};

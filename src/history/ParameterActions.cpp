#include "history/ParameterActions.h"

#include "data/DataCenter.h"
#include "prefs/PreferencesData.h"

namespace
{
bool isSampleParameter (int id)
{
    return id >= 0 && id < SampleData::numParameters;
}

// Whether the user lets single edits reach the device; off when the
// preferences are not there.
bool parameterChangesEnabled()
{
    auto* prefs = PreferencesData::getInstancePointer();
    return prefs != nullptr && prefs->getFlag (PreferencesData::enableParameterChange);
}
}

//==============================================================================
EditSampleParameterAction::EditSampleParameterAction (int index, int id, int value)
    : sampleIndex (index), parameterId (id), newValue (value)
{
}

int EditSampleParameterAction::deviceParameterFor (int id)
{
    // By id: pan, level, velocity intensity, semitone, tune, decay, release,
    // original BPM, start, end, BPM sync, loop, reverse, effect switch.
    static constexpr int deviceParameters[SampleData::numParameters] = {
        25, 24, 29, 27, 28, 21, 22, -1, -1, -1, 17, 16, 18, 26
    };

    return isSampleParameter (id) ? deviceParameters[id] : -1;
}

bool EditSampleParameterAction::perform()
{
    auto* sample = findSample (sampleIndex);

    if (sample == nullptr || ! isSampleParameter (parameterId))
        return false;

    savedModified = isModified();
    oldValue = sample->getParameter (parameterId);
    sample->setParameter (parameterId, newValue);
    markModified();
    tellDevice (newValue);
    refreshPlayer (sampleIndex);
    return true;
}

bool EditSampleParameterAction::undo()
{
    auto* sample = findSample (sampleIndex);

    if (sample == nullptr || ! isSampleParameter (parameterId))
        return false;

    sample->setParameter (parameterId, oldValue);
    restoreModified (savedModified);
    tellDevice (oldValue);
    refreshPlayer (sampleIndex);
    return true;
}

void EditSampleParameterAction::tellDevice (int value) const
{
    const int deviceParameter = deviceParameterFor (parameterId);

    if (deviceParameter >= 0)
        sendParameterChange (firstSampleBlock + sampleIndex, deviceParameter, value);
    else
        setSampleNotice (sampleIndex, true);
}

//==============================================================================
EditSampleNameAction::EditSampleNameAction (int index, const juce::String& name)
    : sampleIndex (index), newName (name)
{
}

void EditSampleNameAction::setName (SampleData& sample, const juce::String& name) const
{
    sample.setName (name);
    sendName (firstSampleBlock + sampleIndex, sample.getName());
}

bool EditSampleNameAction::perform()
{
    auto* sample = findSample (sampleIndex);

    if (sample == nullptr)
        return false;

    savedModified = isModified();
    oldName = sample->getName();
    setName (*sample, newName);
    markModified();
    return true;
}

bool EditSampleNameAction::undo()
{
    auto* sample = findSample (sampleIndex);

    if (sample == nullptr)
        return false;

    setName (*sample, oldName);
    restoreModified (savedModified);
    return true;
}

int EditSampleNameAction::getSizeInUnits()
{
    return newName.length() + 2 * oldName.length() + (int) sizeof (*this);
}

//==============================================================================
EditBankParameterAction::EditBankParameterAction (int parameterKind, int value, const juce::String& name)
    : kind (parameterKind), newValue (value), newName (name)
{
}

bool EditBankParameterAction::perform()
{
    auto* bank = findEditBank();

    if (bank == nullptr || kind < bankName || kind > audioInThruFx)
        return false;

    savedModified = isModified();
    oldName = bank->getName();
    oldValue = kind == tempo ? bank->getTempo() : (bank->getAudioInThruFx() ? 1 : 0);
    apply (*bank, newValue, newName);
    markModified();
    return true;
}

bool EditBankParameterAction::undo()
{
    auto* bank = findEditBank();

    if (bank == nullptr)
        return false;

    restoreModified (savedModified);
    apply (*bank, oldValue, oldName);
    return true;
}

void EditBankParameterAction::apply (BankData& bank, int value, const juce::String& name) const
{
    constexpr int tempoParameter = 16;
    constexpr int audioInThruFxParameter = 18;

    switch (kind)
    {
        case bankName:
            bank.setName (name);
            sendName (bankBlock, bank.getName());
            break;

        case tempo:
            bank.setTempo (value);
            sendParameterChange (bankBlock, tempoParameter, value);
            break;

        case audioInThruFx:
            bank.setAudioInThruFx (value != 0);
            sendParameterChange (bankBlock, audioInThruFxParameter, value);
            break;

        default:
            break;
    }
}

//==============================================================================
EditEffectParameterAction::EditEffectParameterAction (int parameterKind, int knobOrSlot, int value)
    : kind (parameterKind), index (knobOrSlot), newValue (value)
{
}

EffectParameterAccessor::DeviceAddress EditEffectParameterAction::deviceAddress() const
{
    switch (kind)
    {
        case knobAssign:      return EffectParameterAccessor::knobAddress (index);
        case effectParameter: return EffectParameterAccessor::parameterAddress (index);
        default:              return EffectParameterAccessor::typeAddress();
    }
}

bool EditEffectParameterAction::perform()
{
    auto* center = findDataCenter();

    if (center == nullptr || kind < effectType || kind > effectParameter)
        return false;

    auto& effect = center->getEditBank().getEffect();
    const auto& accessor = center->getEffectAccessor();
    savedModified = isModified();
    savedImage = effect.getImage();

    switch (kind)
    {
        case effectType:
            oldValue = effect.getType();
            effect.setByte (EffectData::typeByte, newValue);
            accessor.setDefaults (effect);
            break;

        case knobAssign:
            oldValue = index == 0 || index == 1 ? accessor.getKnobAssign (effect, index) : 0;
            accessor.setKnobAssign (effect, index, newValue);
            break;

        default:
            oldValue = accessor.getValue (effect, index);
            accessor.setValue (effect, index, newValue);
            break;
    }

    const auto address = deviceAddress();
    sendParameterChange (address.group, address.index, newValue);
    markModified();
    return true;
}

bool EditEffectParameterAction::undo()
{
    auto* bank = findEditBank();

    if (bank == nullptr)
        return false;

    bank->getEffect().setImage (savedImage);
    restoreModified (savedModified);

    if (kind != effectType)
    {
        const auto address = deviceAddress();
        sendParameterChange (address.group, address.index, oldValue);
    }
    else if (parameterChangesEnabled())
    {
        // The old type's parameters and knobs all come back: the device
        // needs the whole effect, not one parameter.
        if (auto* context = ActionContext::getCurrent(); context != nullptr && context->transmitEffect)
            context->transmitEffect();
    }

    return true;
}

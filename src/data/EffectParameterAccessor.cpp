#include "data/EffectParameterAccessor.h"

#include "resources/StringTable.h"

#include <algorithm>
#include <utility>

namespace
{
constexpr int eqType = 3;
constexpr int reverbType = 6;
constexpr int ringModulatorType = 17;
constexpr int looperType = 21;
constexpr int looperLengthSlot = 1;
constexpr int deviceEffectGroup = 0x50;

juce::String withSign (int value)
{
    return (value >= 0 ? "+" : "") + juce::String (value);
}

juce::String wetDryText (int value)
{
    if (value == 0)
        return "Dry";
    if (value == 100)
        return "Wet";
    return juce::String (100 - value) + ":" + juce::String (value);
}

juce::String voiceControlText (int value)
{
    if (value == -63)
        return "Bottom";
    if (value == 63)
        return "Top";
    if (value == 0)
        return "Center";
    return withSign (value);
}

// The display rules that are not value lists; nullptr for any other key.
using RuleFormatter = juce::String (*) (int value);

RuleFormatter findRuleFormatter (const juce::String& format)
{
    static const std::pair<const char*, RuleFormatter> rules[] = {
        { "PercentValue", [] (int v) { return juce::String (v) + "%"; } },
        { "MsecValue",    [] (int v) { return juce::String (v) + "ms"; } },
        { "FxWetDry",     wetDryText },
        // tens of degrees
        { "FxLfoSpread",  [] (int v) { return v == 0 ? juce::String ("0") : withSign (v) + "0"; } },
        // two cents per step
        { "FxFineValue",  [] (int v) { return withSign (2 * v) + "cent"; } },
        { "FxVoiceCtrl",  voiceControlText },
        // half a decibel per step
        { "FxdBValue",    [] (int v) { return (v >= 0 ? "+" : "") + juce::String (v / 2.0, 1) + "dB"; } },
        { "FxEqQ",        [] (int v) { return juce::String (v / 10.0 + 0.5, 1); } },
    };

    for (const auto& rule : rules)
        if (format == rule.first)
            return rule.second;

    return nullptr;
}
}

EffectParameterAccessor::EffectParameterAccessor (const StringTable& parameterStrings, BankTempoSource bankTempoSource)
    : strings (parameterStrings), bankTempo (std::move (bankTempoSource))
{
}

const EffectTypeInfo* EffectParameterAccessor::typeInfo (const EffectData& effect) const
{
    return table.getTypeInfo (effect.getType());
}

juce::String EffectParameterAccessor::getTypeName (int type) const
{
    return table.getTypeName (type);
}

const EffectParameterInfo* EffectParameterAccessor::getParameterInfo (const EffectData& effect, int index) const
{
    return table.getParameterInfo (effect.getType(), index);
}

juce::String EffectParameterAccessor::getParameterName (const EffectData& effect, int index) const
{
    const auto* info = getParameterInfo (effect, index);
    return info != nullptr ? info->name : juce::String();
}

juce::String EffectParameterAccessor::getParameterFormat (const EffectData& effect, int index) const
{
    const auto* info = getParameterInfo (effect, index);
    return info != nullptr ? info->format : juce::String();
}

int EffectParameterAccessor::getMinimum (const EffectData& effect, int index) const
{
    const auto* info = getParameterInfo (effect, index);
    return info != nullptr ? info->minimum : 0;
}

int EffectParameterAccessor::getMaximum (const EffectData& effect, int index) const
{
    const auto* info = getParameterInfo (effect, index);

    if (info == nullptr)
        return 0;

    if (effect.getType() == looperType && index == looperLengthSlot)
        return std::min (info->maximum, looperLengthMaximum());

    return info->maximum;
}

int EffectParameterAccessor::looperLengthMaximum() const
{
    // The device's loop memory holds a limited time, so slow tempos allow
    // fewer bars. Without a bank being edited the table's maximum applies.
    constexpr int oneBar = 5, twoBars = 6, fourBars = 7;

    if (! bankTempo)
        return fourBars;

    const int tempoTenths = bankTempo();

    if (tempoTenths < 400)
        return oneBar;
    if (tempoTenths < 800)
        return twoBars;
    return fourBars;
}

int EffectParameterAccessor::getValue (const EffectData& effect, int index) const
{
    if (index < 0 || index >= EffectData::numSlots)
        return 0;

    const int stored = effect.getByte (EffectData::firstSlotByte + index);
    const auto* info = getParameterInfo (effect, index);

    if (info == nullptr)
        return stored;

    const int value = stored - info->offset;

    if (effect.getType() == looperType && index == looperLengthSlot)
        return std::min (value, getMaximum (effect, index));

    return value;
}

void EffectParameterAccessor::setValue (EffectData& effect, int index, int value) const
{
    if (index < 0 || index >= EffectData::numSlots)
        return;

    const auto* info = getParameterInfo (effect, index);
    effect.setByte (EffectData::firstSlotByte + index, value + (info != nullptr ? info->offset : 0));

    // A switch may have idled a knob's parameter: carry the knob to its twin.
    for (int knob = 0; knob < 2; ++knob)
    {
        const int assigned = getKnobAssign (effect, knob);

        if (! isAssignable (effect, assigned))
            setKnobAssign (effect, knob, assigned);
    }
}

bool EffectParameterAccessor::isActive (const EffectData& effect, int index) const
{
    const auto* type = typeInfo (effect);

    if (type == nullptr || index < 0 || index >= EffectData::numSlots)
        return false;

    bool active = true;

    if (const auto& rule = type->lfoSyncRule; rule.active)
    {
        const bool synced = getValue (effect, rule.controller) != 0;

        if (index == rule.first)
            active = ! synced;
        else if (index == rule.second)
            active = synced;
    }

    if (const auto& rule = type->timeSyncRule; rule.active)
    {
        const bool synced = getValue (effect, rule.controller) != 0;
        const int groupLength = rule.second - rule.first;

        if (index >= rule.first && index < rule.second)
            active = ! synced;
        else if (index >= rule.second && index < rule.second + groupLength)
            active = synced;
    }

    if (const auto& rule = type->keySyncRule; rule.active && index == rule.controller + 1)
        active = getValue (effect, rule.controller) != 0;

    switch (effect.getType())
    {
        case eqType:
            // Q belongs to peaking bands only.
            if (index == 4)
                active = getValue (effect, 2) == 0;
            else if (index == 14)
                active = getValue (effect, 12) == 0;
            break;

        case ringModulatorType:
            if (index == 2)
                active = getValue (effect, 1) == 0;
            else if (index == 3 || index == 4)
                active = getValue (effect, 1) != 0;
            break;

        case reverbType:
            // Rooms use the short reverb time.
            if (index == 2)
                active = getValue (effect, 1) < 4;
            else if (index == 3)
                active = getValue (effect, 1) > 3;
            break;

        default:
            break;
    }

    return active;
}

std::vector<EffectParameterAccessor::TwinPair> EffectParameterAccessor::twinPairs (const EffectData& effect) const
{
    std::vector<TwinPair> pairs;
    const auto* type = typeInfo (effect);

    if (type == nullptr)
        return pairs;

    for (const auto* rule : { &type->lfoSyncRule, &type->timeSyncRule })
        if (rule->active)
            pairs.push_back ({ rule->first, rule->second, getValue (effect, rule->controller) != 0 });

    if (effect.getType() == ringModulatorType)
        pairs.push_back ({ 2, 3, getValue (effect, 1) != 0 });
    else if (effect.getType() == reverbType)
        pairs.push_back ({ 2, 3, getValue (effect, 1) > 3 });

    return pairs;
}

bool EffectParameterAccessor::isAssignable (const EffectData& effect, int index) const
{
    const auto* info = getParameterInfo (effect, index);

    if (info == nullptr || ! info->assignable)
        return false;

    for (const auto& pair : twinPairs (effect))
        if (index == pair.idle())
            return false;

    return true;
}

int EffectParameterAccessor::getKnobAssign (const EffectData& effect, int knob) const
{
    return effect.getByte (EffectData::firstKnobByte + juce::jlimit (0, 1, knob));
}

void EffectParameterAccessor::setKnobAssign (EffectData& effect, int knob, int index) const
{
    if (knob != 0 && knob != 1)
        return;

    for (const auto& pair : twinPairs (effect))
        if (index == pair.idle())
            index = pair.inUse();

    effect.setByte (EffectData::firstKnobByte + knob, index);
}

void EffectParameterAccessor::setDefaults (EffectData& effect) const
{
    const auto* type = typeInfo (effect);

    if (type == nullptr)
        return;

    for (int index = 0; index < EffectData::numSlots; ++index)
    {
        const auto* info = getParameterInfo (effect, index);
        effect.setByte (EffectData::firstSlotByte + index, info->defaultValue + info->offset);
    }

    effect.setByte (EffectData::firstKnobByte, type->knob1Default);
    effect.setByte (EffectData::firstKnobByte + 1, type->knob2Default);
}

juce::String EffectParameterAccessor::formatValue (const EffectData& effect, int index, int value) const
{
    const auto* info = getParameterInfo (effect, index);

    if (info == nullptr)
        return juce::String (value);

    if (info->format == "Value")
        return info->minimum < 0 ? withSign (value) : juce::String (value);

    if (auto formatter = findRuleFormatter (info->format))
        return formatter (value);

    // Value lists are numbered from the slot's minimum.
    const int item = info->minimum < 0 ? value - info->minimum : value;
    return strings.getItem (info->format, item);
}

EffectParameterAccessor::DeviceAddress EffectParameterAccessor::typeAddress()
{
    return { deviceEffectGroup, 1 };
}

EffectParameterAccessor::DeviceAddress EffectParameterAccessor::knobAddress (int knob)
{
    return { deviceEffectGroup, 2 + juce::jlimit (0, 1, knob) };
}

EffectParameterAccessor::DeviceAddress EffectParameterAccessor::parameterAddress (int index)
{
    return { deviceEffectGroup, 16 + juce::jlimit (0, EffectData::numSlots - 1, index) };
}

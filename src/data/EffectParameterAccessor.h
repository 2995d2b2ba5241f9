#pragma once

#include "data/EffectData.h"
#include "data/EffectParameterTable.h"

#include <functional>
#include <vector>

class StringTable;

// The one interpreter of effect images: reads and writes parameter values
// through the effect table, keeps both knob assignments on parameters that
// are in use, decides which parameters the switches activate, loads a type's
// defaults and formats values for display.
//
// Slots are 0..31 and knobs 0 (knob 1) or 1 (knob 2). A type above 21 (only
// a damaged file brings one) or a slot above 31 has no record: lookups then
// give neutral results instead of failing.
class EffectParameterAccessor
{
public:
    // The tempo of the bank being edited, in tenths of a beat per minute.
    // An empty function means no bank is being edited.
    using BankTempoSource = std::function<int()>;

    // Where a setting lives on the device, as carried by a single parameter
    // change message.
    struct DeviceAddress
    {
        int group;
        int index;
        bool operator== (const DeviceAddress& other) const { return group == other.group && index == other.index; }
    };

    EffectParameterAccessor (const StringTable& parameterStrings, BankTempoSource bankTempo = {});

    juce::String getTypeName (int type) const;
    const EffectParameterInfo* getParameterInfo (const EffectData& effect, int index) const;
    juce::String getParameterName (const EffectData& effect, int index) const;
    juce::String getParameterFormat (const EffectData& effect, int index) const;

    // The Looper's "Length" is limited by the tempo of the bank being edited:
    // its maximum drops below the table's, and larger stored values read as it.
    int getMinimum (const EffectData& effect, int index) const;
    int getMaximum (const EffectData& effect, int index) const;
    int getValue (const EffectData& effect, int index) const;

    // Stores the value, then moves any knob whose parameter the new value
    // deactivated to the parameter's active twin.
    void setValue (EffectData& effect, int index, int value) const;

    bool isAssignable (const EffectData& effect, int index) const;
    bool isActive (const EffectData& effect, int index) const;

    // The slot a knob controls (knob clamped to 0..1).
    int getKnobAssign (const EffectData& effect, int knob) const;

    // Puts the knob on the parameter, or on its active twin where a switch
    // hides the requested one.
    void setKnobAssign (EffectData& effect, int knob, int index) const;

    // Every slot of the current type and both knobs to the type's defaults.
    void setDefaults (EffectData& effect) const;

    juce::String formatValue (const EffectData& effect, int index, int value) const;

    static DeviceAddress typeAddress();
    static DeviceAddress knobAddress (int knob);
    static DeviceAddress parameterAddress (int index);

private:
    // Two parameters of which a switch puts only one in use; a knob asked
    // for the idle one goes to the other.
    struct TwinPair
    {
        int first;
        int second;
        bool secondInUse;

        int idle() const { return secondInUse ? first : second; }
        int inUse() const { return secondInUse ? second : first; }
    };

    const EffectTypeInfo* typeInfo (const EffectData& effect) const;
    std::vector<TwinPair> twinPairs (const EffectData& effect) const;
    int looperLengthMaximum() const;

    EffectParameterTable table;
    const StringTable& strings;
    BankTempoSource bankTempo;
};

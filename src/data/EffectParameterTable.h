#pragma once

#include <juce_core/juce_core.h>

// How the effect page shows a parameter.
enum class EffectControl
{
    None = 0,     // empty slot
    Knob = 1,     // rotary
    List = 3,     // pop-up list
    Switch = 4    // pop-up on/off
};

// One parameter slot of an effect type.
struct EffectParameterInfo
{
    juce::String name;
    bool exists = false;
    int minimum = 0;
    int maximum = 0;
    int offset = 0;          // added to the value to form the stored byte
    bool assignable = false; // may be put on a knob at all
    EffectControl control = EffectControl::None;
    int defaultValue = 0;
    juce::String format;     // display rule or name of a parameter-strings list
};

// A switch that decides which parameters are in use. `active` is false for
// types without the rule.
struct EffectSwitchRule
{
    bool active = false;
    int controller = 0;
    int first = 0;
    int second = 0;
};

struct EffectTypeInfo
{
    juce::String name;
    int knob1Default = 0;
    int knob2Default = 0;

    // While the controller is 0, parameters first .. second-1 are active and
    // second .. 2*second-first-1 are not; otherwise the reverse.
    EffectSwitchRule timeSyncRule;

    // Parameter `first` is active while the controller is 0, `second` otherwise.
    EffectSwitchRule lfoSyncRule;

    // Parameter controller+1 is active only while the controller is not 0
    // (first and second are unused).
    EffectSwitchRule keySyncRule;
};

// The constant table of the 22 effect types and their 32 parameter slots.
// The data is built once, on first use, and shared by every instance.
class EffectParameterTable
{
public:
    static constexpr int numTypes = 22;
    static constexpr int numSlots = 32;

    // The type's record, or nullptr for a type outside 0..21.
    const EffectTypeInfo* getTypeInfo (int type) const;

    // The slot's record (empty slots included), or nullptr when the type is
    // outside 0..21 or the slot outside 0..31.
    const EffectParameterInfo* getParameterInfo (int type, int slot) const;

    // The type's name; empty for a type outside 0..21.
    juce::String getTypeName (int type) const;
};

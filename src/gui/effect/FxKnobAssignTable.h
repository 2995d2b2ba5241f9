#pragma once

#include "data/EffectData.h"

#include <juce_core/juce_core.h>

#include <vector>

class EffectParameterAccessor;

// The parameters that may go on one of the device's effect knobs at this
// moment, in slot order, taken from a copy of an effect image.
class FxKnobAssignTable
{
public:
    FxKnobAssignTable (const EffectParameterAccessor& accessor, const EffectData& effect);

    int getCount() const { return (int) slots.size(); }

    // -1 for a position outside the table.
    int getSlot (int position) const;

    // The position of a slot, -1 when it is not in the table.
    int findPosition (int slot) const;

    // Empty for a position outside the table.
    juce::String getParameterName (int position) const;

private:
    const EffectParameterAccessor& accessor;
    EffectData effect;
    std::vector<int> slots;
};

#pragma once

#include "gui/effect/EffectParameterLayout.h"

// The cells of slots 0 to 19 for each of the 22 effect types. Two slots of
// which a switch shows only one at a time share a cell. Slots above 19, and
// types outside 0 to 21, are given cell 0.
class TabledEffectParameterLayout : public EffectParameterLayout
{
public:
    static constexpr int numLaidOutSlots = 20;

    explicit TabledEffectParameterLayout (int effectType);

    int getCell (int slot) const override;

private:
    const int effectType;
};

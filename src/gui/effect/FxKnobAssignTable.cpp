#include "gui/effect/FxKnobAssignTable.h"

#include "data/EffectParameterAccessor.h"

FxKnobAssignTable::FxKnobAssignTable (const EffectParameterAccessor& parameterAccessor, const EffectData& source)
    : accessor (parameterAccessor)
{
    effect.setImage (source.getImage());

    for (int slot = 0; slot < EffectData::numSlots; ++slot)
        if (accessor.isAssignable (effect, slot))
            slots.push_back (slot);
}

int FxKnobAssignTable::getSlot (int position) const
{
    return position >= 0 && position < getCount() ? slots[(size_t) position] : -1;
}

int FxKnobAssignTable::findPosition (int slot) const
{
    for (int position = 0; position < getCount(); ++position)
        if (slots[(size_t) position] == slot)
            return position;

    return -1;
}

juce::String FxKnobAssignTable::getParameterName (int position) const
{
    const int slot = getSlot (position);
    return slot >= 0 ? accessor.getParameterName (effect, slot) : juce::String();
}

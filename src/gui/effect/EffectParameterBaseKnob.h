#pragma once

#include "gui/widgets/ParameterKnob.h"

class EffectData;
class EffectParameterAccessor;

// The control of one effect parameter slot: the slot's value inside the
// range the effect's type gives it, shown under the parameter's name.
class EffectParameterBaseKnob : public ParameterKnob
{
public:
    static constexpr int width = 163, height = 40;

    // Without an accessor values show as plain numbers. The effect must
    // outlive the control.
    EffectParameterBaseKnob (int slot, const EffectParameterAccessor* accessor, const EffectData& effect,
                             double minimum, double maximum);

    int getSlot() const { return getParameterId(); }

    const juce::String& getDisplayName() const { return displayName; }
    void setDisplayName (const juce::String& name);

    // Use this, not setRange, so that the control redraws what depends on
    // the range.
    void setParameterRange (int minimum, int maximum);

    // 0 drags the knob up and down, anything else round.
    virtual void setKnobMode (int mode) { juce::ignoreUnused (mode); }

protected:
    virtual void rangeShown() {}

    juce::String formatValue (int value) const;

    // In the font "EffectParameterKnobName": a shadow in black, the name in
    // white, each with a line under it when asked.
    void paintDisplayName (juce::Graphics& g, bool underlined) const;

private:
    const EffectParameterAccessor* const accessor;
    const EffectData& effect;
    juce::String displayName;
};

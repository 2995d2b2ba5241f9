#pragma once

#include "gui/effect/EffectParameterBaseKnob.h"
#include "gui/widgets/CustomComboBox.h"

// A pop-up list of the parameter's value texts under its name, for
// parameters that choose among named settings.
class EffectPopupParameterKnob : public EffectParameterBaseKnob,
                                 private juce::ComboBox::Listener
{
public:
    EffectPopupParameterKnob (int slot, const EffectParameterAccessor* accessor, const EffectData& effect,
                              double minimum, double maximum);
    ~EffectPopupParameterKnob() override;

    void paint (juce::Graphics&) override;

private:
    void valueShown() override;
    void rangeShown() override;
    void comboBoxChanged (juce::ComboBox*) override;

    // Item ids count the values from the minimum, starting at 1; values
    // without a text have no item.
    int itemIdFor (int value) const { return value - (int) getMinimum() + 1; }

    CustomComboBox box { "Values" };
};

#include "gui/effect/EffectPopupParameterKnob.h"

EffectPopupParameterKnob::EffectPopupParameterKnob (int slot, const EffectParameterAccessor* accessor,
                                                    const EffectData& effect, double minimum, double maximum)
    : EffectParameterBaseKnob (slot, accessor, effect, minimum, maximum)
{
    box.setBounds (0, 14, 153, 20);
    box.addListener (this);
    addAndMakeVisible (box);
    rangeShown();
}

EffectPopupParameterKnob::~EffectPopupParameterKnob()
{
    box.removeListener (this);
}

void EffectPopupParameterKnob::paint (juce::Graphics& g)
{
    paintDisplayName (g, false);
}

void EffectPopupParameterKnob::valueShown()
{
    box.setSelectedId (itemIdFor ((int) getValue()), juce::dontSendNotification);
}

void EffectPopupParameterKnob::rangeShown()
{
    box.clear (juce::dontSendNotification);

    for (int value = (int) getMinimum(); value <= (int) getMaximum(); ++value)
        if (const auto text = formatValue (value); text.isNotEmpty())
            box.addItem (text, itemIdFor (value));

    valueShown();
}

void EffectPopupParameterKnob::comboBoxChanged (juce::ComboBox*)
{
    if (const int id = box.getSelectedId(); id > 0)
        setValue (id - 1 + getMinimum(), juce::sendNotificationSync);
}

#pragma once

#include "gui/effect/EffectParameterBaseKnob.h"
#include "gui/widgets/ImageKnob.h"

// A rotary knob with the parameter's name above and its value as text.
// Parameters that reach below zero show a knob whose middle frame is zero.
class EffectParameterKnob : public EffectParameterBaseKnob,
                            private juce::Slider::Listener
{
public:
    EffectParameterKnob (int slot, const EffectParameterAccessor* accessor, const EffectData& effect,
                         double minimum, double maximum);
    ~EffectParameterKnob() override;

    void setKnobMode (int mode) override;
    bool usesCentredImage() const { return centredImage; }

    void paint (juce::Graphics&) override;

private:
    void valueShown() override;
    void rangeShown() override;
    void sliderValueChanged (juce::Slider*) override;

    ImageKnob knob;
    juce::Label valueLabel { "Value" };
    bool centredImage = false;
};

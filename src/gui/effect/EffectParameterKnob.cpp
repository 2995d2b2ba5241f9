#include "gui/effect/EffectParameterKnob.h"

#include "gui/widgets/FontManager.h"
#include "gui/widgets/ImageResourceManager.h"

namespace
{
constexpr int centredImageFrames = 127;
}

EffectParameterKnob::EffectParameterKnob (int slot, const EffectParameterAccessor* accessor, const EffectData& effect,
                                          double minimum, double maximum)
    : EffectParameterBaseKnob (slot, accessor, effect, minimum, maximum),
      knob ("Knob", ImageResourceManager::imageFor ("ParameterKnob"))
{
    valueLabel.setFont (FontManager::fontFor ("EffectParameterKnobValue"));
    valueLabel.setColour (juce::Label::textColourId, juce::Colours::white);
    valueLabel.setJustificationType (juce::Justification::centredRight);
    valueLabel.setEditable (false);
    valueLabel.setBounds (0, 17, 104, 20);
    addAndMakeVisible (valueLabel);

    knob.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    knob.setBounds (109, 0, 36, 36);
    knob.addListener (this);
    addAndMakeVisible (knob);

    setKnobMode (0);
    rangeShown();
}

EffectParameterKnob::~EffectParameterKnob()
{
    knob.removeListener (this);
}

void EffectParameterKnob::setKnobMode (int mode)
{
    knob.setSliderStyle (mode == 0 ? juce::Slider::RotaryVerticalDrag : juce::Slider::Rotary);
}

void EffectParameterKnob::paint (juce::Graphics& g)
{
    paintDisplayName (g, true);
}

void EffectParameterKnob::valueShown()
{
    knob.setValue (getValue(), juce::dontSendNotification);
    valueLabel.setText (formatValue ((int) getValue()), juce::dontSendNotification);
}

void EffectParameterKnob::rangeShown()
{
    centredImage = getMinimum() < 0.0;
    knob.setImage (ImageResourceManager::imageFor (centredImage ? "ParameterKnobCenter127" : "ParameterKnob"));
    knob.setFrameCount (centredImage ? centredImageFrames : ImageKnob::defaultFrameCount);
    knob.setRange (getMinimum(), juce::jmax (getMinimum(), getMaximum()), getInterval());
    valueShown();
}

void EffectParameterKnob::sliderValueChanged (juce::Slider*)
{
    setValue (knob.getValue(), juce::sendNotificationSync);
}

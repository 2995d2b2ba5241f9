#include "gui/sample/SampleParameterKnob.h"

#include "gui/widgets/FontManager.h"
#include "gui/widgets/ImageResourceManager.h"

SampleParameterKnob::SampleParameterKnob (const juce::String& name, int id, double min, double max,
                                          const juce::String& imageName, int frameCount)
    : ParameterKnob (name, id, min, max, 1.0),
      knob (name + "Knob", ImageResourceManager::imageFor (imageName))
{
    knob.setFrameCount (frameCount);
    knob.setRange (min, max, 1.0);
    knob.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    knob.addListener (this);
    addAndMakeVisible (knob);

    valueLabel.setName (name + "Value");
    valueLabel.setFont (FontManager::fontFor ("SampleParameterKnobValue"));
    valueLabel.setJustificationType (juce::Justification::centred);
    valueLabel.setEditable (true, false, false);
    // Light on the skin's dark value field.
    valueLabel.setColour (juce::Label::textColourId, juce::Colours::white);
    valueLabel.addListener (this);
    addAndMakeVisible (valueLabel);

    setKnobMode (linear);
    setSize (knobWidth, knobHeight);
    valueShown();
}

SampleParameterKnob::~SampleParameterKnob()
{
    knob.removeListener (this);
    valueLabel.removeListener (this);
}

void SampleParameterKnob::setKnobMode (int mode)
{
    knobMode = mode == linear ? linear : circular;
    knob.setSliderStyle (knobMode == linear ? juce::Slider::RotaryVerticalDrag : juce::Slider::Rotary);
}

juce::String SampleParameterKnob::valueToText (double value) const
{
    return juce::String (juce::roundToInt (value));
}

double SampleParameterKnob::textToValue (const juce::String& text) const
{
    return text.trim().getDoubleValue();
}

void SampleParameterKnob::paint (juce::Graphics& g)
{
    g.drawImageAt (ImageResourceManager::imageFor ("SampleParameterKnobLabel"), 0, 10);
}

void SampleParameterKnob::resized()
{
    valueLabel.setBounds (1, 11, 50, 17);
    knob.setBounds (57, 0, 36, 36);
}

void SampleParameterKnob::valueShown()
{
    knob.setValue (getValue(), juce::dontSendNotification);
    valueLabel.setText (valueToText (getValue()), juce::dontSendNotification);
}

void SampleParameterKnob::sliderValueChanged (juce::Slider*)
{
    setValue (knob.getValue(), juce::sendNotificationSync);
}

// The typed text is read back into a value, which then shows in its own
// words.
void SampleParameterKnob::labelTextChanged (juce::Label*)
{
    setValue (textToValue (valueLabel.getText()), juce::sendNotificationSync);
}

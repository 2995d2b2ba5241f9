#pragma once

#include "gui/widgets/ImageKnob.h"
#include "gui/widgets/ParameterKnob.h"

#include <juce_gui_basics/juce_gui_basics.h>

// A knob of the sample parameter panel, 96 × 34: its value as text on the
// left, editable with one click, and the film-strip knob on the right. A
// turn or a typed value stores the value and tells the listeners; the
// subclasses choose the film strip and how values read as text.
class SampleParameterKnob : public ParameterKnob,
                            private juce::Slider::Listener,
                            private juce::Label::Listener
{
public:
    static constexpr int knobWidth = 96;
    static constexpr int knobHeight = 34;
    enum KnobMode { linear = 0, circular = 1 };

    SampleParameterKnob (const juce::String& name, int parameterId, double minimum, double maximum,
                         const juce::String& imageName = "ParameterKnob",
                         int frameCount = ImageKnob::defaultFrameCount);
    ~SampleParameterKnob() override;

    // 0 drags up and down, anything else turns around the centre.
    virtual void setKnobMode (int mode);
    int getKnobMode() const { return knobMode; }

    virtual juce::String valueToText (double value) const;
    virtual double textToValue (const juce::String& text) const;

    void paint (juce::Graphics&) override;
    void resized() override;

protected:
    void valueShown() override;

private:
    void sliderValueChanged (juce::Slider*) override;
    void labelTextChanged (juce::Label*) override;

    int knobMode = linear;
    ImageKnob knob;
    juce::Label valueLabel;
};

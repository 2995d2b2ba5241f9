#pragma once

#include "gui/sample/SampleParameterKnob.h"

// A sample knob whose range has a middle (Semitone, velocity intensity):
// the film strip with the mark at the top for the middle value.
class SampleCenterParameterKnob : public SampleParameterKnob
{
public:
    static constexpr int centerFrameCount = 127;

    SampleCenterParameterKnob (const juce::String& name, int parameterId, double minimum, double maximum);
};

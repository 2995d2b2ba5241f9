#include "gui/sample/SampleCenterParameterKnob.h"

SampleCenterParameterKnob::SampleCenterParameterKnob (const juce::String& name, int id, double min, double max)
    : SampleParameterKnob (name, id, min, max, "ParameterKnobCenter127", centerFrameCount)
{
}

#include "gui/waveform/WaveformEditLookAndFeel.h"

WaveformEditLookAndFeel::WaveformEditLookAndFeel()
    : ImageIncDecLookAndFeel ({ "ButtonWaveformPlus", "ButtonWaveformMinus", "WaveformParameterSlider", juce::Colour (valueColour) })
{
}

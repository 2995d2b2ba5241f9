#pragma once

#include "gui/widgets/ImageIncDecLookAndFeel.h"

// The look of the waveform editor's start, end and tempo sliders: the
// editor's plus and minus images and an orange value box.
class WaveformEditLookAndFeel : public ImageIncDecLookAndFeel
{
public:
    static constexpr juce::uint32 valueColour = 0xffffb400;

    WaveformEditLookAndFeel();
};

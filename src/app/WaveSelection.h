#pragma once

#include <cstdint>

// The current selection of the waveform editor: start and end frame
// (inclusive) and one flag per channel.
struct WaveSelectedStatus
{
    int start = 0;
    int end = 0;
    uint8_t channelFlags[2] = { 0, 0 };
};

// The waveform editor's view, kept across page switches.
struct WaveGraphViewInfo
{
    int offset = 0;
    int scale = 1;
};

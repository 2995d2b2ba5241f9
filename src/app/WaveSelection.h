#pragma once

#include <cstdint>

// The current selection of the waveform editor: start and end frame
// (inclusive) and one flag per channel.
struct WaveSelectedStatus
{
    int start = 0;
    int end = 0;
    uint8_t channelFlags[2] = { 0, 0 };

    bool operator== (const WaveSelectedStatus& other) const
    {
        return start == other.start && end == other.end
            && channelFlags[0] == other.channelFlags[0] && channelFlags[1] == other.channelFlags[1];
    }
    bool operator!= (const WaveSelectedStatus& other) const { return ! operator== (other); }
};

// The waveform editor's view, kept across page switches.
struct WaveGraphViewInfo
{
    int offset = 0;
    int scale = 1;

    bool operator== (const WaveGraphViewInfo& other) const { return offset == other.offset && scale == other.scale; }
    bool operator!= (const WaveGraphViewInfo& other) const { return ! operator== (other); }
};

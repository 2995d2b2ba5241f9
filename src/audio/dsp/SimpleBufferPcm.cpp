#include "audio/dsp/SimpleBufferPcm.h"

#include <algorithm>

CSimpleBufferPcm::CSimpleBufferPcm (int channelCount, int frames)
    : numChannels (std::clamp (channelCount, 0, maxChannels)), numFrames (std::max (0, frames))
{
    for (int c = 0; c < numChannels; ++c)
    {
        channels[(size_t) c] = AlignedFloats ((size_t) numFrames);
        pointers[(size_t) c] = channels[(size_t) c].data();
    }
}

void CSimpleBufferPcm::clear()
{
    for (auto& channel : channels)
        channel.clear();
}

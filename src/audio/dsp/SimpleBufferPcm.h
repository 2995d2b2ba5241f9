#pragma once

#include "audio/dsp/DspPlatform.h"

#include <array>
#include <cstddef>

// A block of float audio with a fixed frame count and at most two channels,
// each an aligned array, zeroed on creation.
class CSimpleBufferPcm
{
public:
    static constexpr int maxChannels = 2;

    CSimpleBufferPcm (int channels, int frames);
    virtual ~CSimpleBufferPcm() = default;

    virtual void clear();

    int getNumChannels() const { return numChannels; }
    int getNumFrames() const { return numFrames; }
    float* getChannel (int channel) const { return pointers[(size_t) channel]; }
    // One pointer per channel, for the filter engines.
    float* const* getArrays() const { return pointers.data(); }

private:
    int numChannels;
    int numFrames;
    std::array<AlignedFloats, maxChannels> channels;
    std::array<float*, maxChannels> pointers {};
};

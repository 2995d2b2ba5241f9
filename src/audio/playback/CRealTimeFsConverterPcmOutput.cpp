#include "audio/playback/CRealTimeFsConverterPcmOutput.h"

#include <cmath>
#include <cstring>

namespace
{
constexpr double resamplerAttenuation = 85.0;
constexpr double decimatorAttenuation = 82.0;
constexpr double decimatorGainDb = 6.0206;
constexpr int decimatorCutoff = 60000;
constexpr int lowestOneBitRate = 2822400;

struct DecimatorDesign
{
    int lowestRate, taps, factor;
};

// By input rate, highest first.
constexpr DecimatorDesign decimatorDesigns[] = {
    { 11289600, 289, 64 },
    { 5644800, 145, 32 },
    { lowestOneBitRate, 73, 16 },
};
}

CRealTimeFsConverterPcmOutput::CRealTimeFsConverterPcmOutput (int channels)
    : numChannels (channels), interpolation (channels), decimation (channels)
{
    interpolation.setAttenuation (resamplerAttenuation);
    decimation.setAttenuation (decimatorAttenuation);
}

void CRealTimeFsConverterPcmOutput::setRates (int newInputRate, int newOutputRate)
{
    if (newInputRate == inputRate && newOutputRate == outputRate)
        return;

    inputRate = newInputRate;
    outputRate = newOutputRate;
    interpolationNeeded = false;
    decimationNeeded = false;

    if (inputRate == outputRate)
        return;

    int remaining = inputRate;
    setUpDecimation (remaining);

    if (remaining != outputRate)
        setUpInterpolation (remaining);
}

void CRealTimeFsConverterPcmOutput::setUpDecimation (int& remainingRate)
{
    for (const auto& design : decimatorDesigns)
    {
        if (remainingRate >= design.lowestRate)
        {
            decimation.setupDecimation (design.taps, remainingRate, decimatorCutoff, decimatorGainDb, design.factor);
            remainingRate /= design.factor;
            decimationNeeded = true;
            return;
        }
    }
}

void CRealTimeFsConverterPcmOutput::setUpInterpolation (int remainingRate)
{
    int up = 16, taps = 384, cutoff = 22000;

    if (remainingRate > 96000)
    {
        up = 4;
        if (outputRate > 96000)
            taps = 96, cutoff = 40000;
    }
    else if (remainingRate > 48000)
    {
        up = 8;
        if (outputRate > 48000)
            taps = 192, cutoff = 30000;
    }

    interpolation.setupVariableRatio (taps, remainingRate, cutoff, up, outputRate);
    interpolationNeeded = true;
}

int CRealTimeFsConverterPcmOutput::getMaxOutputFrames (int n) const
{
    if (! interpolationNeeded)
        return n;

    const int decimated = decimationNeeded ? (n + decimation.getDownFactor() - 1) / decimation.getDownFactor() : n;
    return (int) std::ceil ((double) decimated * interpolation.getUpFactor() / interpolation.getDownFactor()) + 1;
}

int CRealTimeFsConverterPcmOutput::process (float* const* inputs, float* const* outputs, int n)
{
    if (decimationNeeded && ! interpolationNeeded)
        return decimation.process (inputs, outputs, n);

    if (decimationNeeded)
        n = decimation.process (inputs, inputs, n);

    if (interpolationNeeded)
        return interpolation.process (inputs, outputs, n);

    for (int c = 0; c < numChannels; ++c)
        std::memcpy (outputs[c], inputs[c], (size_t) n * sizeof (float));
    return n;
}

void CRealTimeFsConverterPcmOutput::reset()
{
    interpolation.reset();
    decimation.reset();
}

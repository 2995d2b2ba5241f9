#pragma once

#include "audio/dsp/FirFilters.h"

// Converts a stream block by block between two arbitrary integer rates for
// playback: very high (1-bit-derived) input rates are first decimated by an
// integer factor, then a fractional-phase resampler covers what remains.
class CRealTimeFsConverterPcmOutput
{
public:
    explicit CRealTimeFsConverterPcmOutput (int channels);

    // Configures the engines; nothing happens when the rates are unchanged.
    void setRates (int inputRate, int outputRate);

    // Converts n frames; returns the output frames. The inputs may be
    // overwritten (the decimator works in place). The caller provides room
    // for getMaxOutputFrames (n) frames.
    int process (float* const* inputs, float* const* outputs, int n);

    int getMaxOutputFrames (int n) const;
    void reset();

    int getInputRate() const { return inputRate; }
    int getOutputRate() const { return outputRate; }
    bool needsDecimation() const { return decimationNeeded; }
    bool needsInterpolation() const { return interpolationNeeded; }

private:
    void setUpDecimation (int& remainingRate);
    void setUpInterpolation (int remainingRate);

    int numChannels;
    CFsCwInterpolation interpolation;
    CDecimationFilter decimation;
    bool interpolationNeeded = false;
    bool decimationNeeded = false;
    int inputRate = 44100;
    int outputRate = 44100;
};

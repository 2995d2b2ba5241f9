#pragma once

#include "audio/pipeline/AudioFileConverter.h"

// A band-limited resampler for one exact ratio of two integer rates, for the
// pairs the fixed converters do not cover. With the ratio reduced to L / M it
// is a rational polyphase resampler when L is small enough for one table per
// phase, otherwise a resampler with a fractional phase. Its filter matches
// the 44.1 to 48 kHz converter: 96 taps per phase (more when it decimates,
// so the transition band stays as narrow at the output rate) at 120 dB, the
// cutoff at half the lower rate.
class CConverterAnyRatio : public CConverterPcmOutputDspBase
{
public:
    static constexpr int tapsPerPhase = 96;

    CConverterAnyRatio (int channels, int inputRate, int outputRate);

    // Whether the engines can hold the filter this ratio needs.
    static bool canConvert (int inputRate, int outputRate);

    int getInputFactor() const override { return inputFactor; }
    int getOutputFactor() const override { return outputFactor; }
    int getDelay() const override { return engine->getDelay(); }
    void reset() override { engine->reset(); }
    int process (const float* const* inputs, float* const* outputs, int n) override;

    // The most input frames whose output fits in outputFrames, on the
    // engine's own grid (the fractional grid runs slightly off the ratio).
    int inputFramesFor (int outputFrames) const;

private:
    static int tapsPerPhaseFor (int inputRate, int outputRate);

    std::unique_ptr<CFscBase> engine;
    int inputFactor = 1;
    int outputFactor = 1;
};

// The conversion pipeline with the resampler above for every pair of rates
// its table of fixed converters lacks.
class SampleRateConversionPipeline : public CAudioFileConverterPcmOutput
{
public:
    using CAudioFileConverterPcmOutput::CAudioFileConverterPcmOutput;

    static bool canConvert (int inputRate, int outputRate, int channels);

protected:
    bool prepareConverter() override;
    int getChunkSize() const override;

private:
    const CConverterAnyRatio* anyRatio = nullptr;
};

#pragma once

#include "audio/dsp/DspPlatform.h"
#include "audio/dsp/FilterCoeffs.h"
#include "audio/dsp/FirKernels.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The filter engines. Each owns its coefficient generator, its coefficient
// tables and one history ring per channel, all allocated at set-up; history
// and phase carry over from one process call to the next, so a signal can be
// fed in blocks of any size with the same result as in one block.
//
// Use: construct for a channel count → setAttenuation → one set-up → reset →
// process calls. A call over n input frames yields at most
// ⌈n × up factor / down factor⌉ frames per channel; the caller provides
// that room. Inputs and outputs are separate arrays unless stated otherwise.
class CFirLpfBase
{
public:
    static constexpr int maxChannels = 8;

    virtual ~CFirLpfBase() = default;

    virtual int getUpFactor() const { return 1; }
    virtual int getDownFactor() const { return 1; }
    virtual void reset() = 0;

    // Filters n frames of each channel with the fastest path the processor
    // offers; returns the output frames per channel.
    int process (const float* const* inputs, float* const* outputs, int n);

    // The same with a chosen path (both paths give the same sums up to
    // rounding). The floating-point state is set for the call and restored.
    int processWithPath (DspPath path, const float* const* inputs, float* const* outputs, int n);

    // Sets the generator's length and rate, then the cutoff and the gain.
    virtual void configure (int taps, int rate, int cutoffHz, double gainDb);

    void setAttenuation (double attenuationDb);

    // The group delay in input frames.
    int getDelay() const { return generator->getDelay(); }
    int getNumChannels() const { return numChannels; }

protected:
    CFirLpfBase (std::unique_ptr<CFirLpfCoeffs> coefficientGenerator, double attenuationDb, int channels);

    virtual int processBlock (const FirKernels& kernels, const float* const* inputs, float* const* outputs, int n) = 0;

    std::unique_ptr<CFirLpfCoeffs> generator;
    const int numChannels;
};

//==============================================================================
// Integer decimation by M with a symmetric FIR of odd length. Its input and
// output arrays may be the same: each input is read before an output can
// overwrite it.
class CDecimationFilter : public CFirLpfBase
{
public:
    static constexpr int ringSize = 512;
    static constexpr int maxTaps = ringSize - 1;

    explicit CDecimationFilter (int channels);

    int getDownFactor() const override { return downFactor; }
    void reset() override;

    // The tap count is made odd by clearing its three low bits and setting
    // the lowest (34 → 33, 193 → 193); at most maxTaps.
    void setupDecimation (int taps, int rate, int cutoffHz, double gainDb, int factor);

    int getNumTaps() const { return numTaps; }
    // Coefficient n of the filter as it runs.
    float getCoefficient (int n) const { return coefficients.data()[n]; }

protected:
    int processBlock (const FirKernels& kernels, const float* const* inputs, float* const* outputs, int n) override;

private:
    static constexpr int ringMask = ringSize - 1;

    AlignedFloats coefficients { ringSize };
    // Each ring holds every input twice (at i and i + ringSize), so the
    // newest N inputs always lie contiguous in memory.
    std::vector<AlignedFloats> rings;
    int writeIndex = 0;
    int nextOutputIndex = 0;
    int numTaps = 0;
    int downFactor = 0;
};

//==============================================================================
// The polyphase engines: an up factor L, a step M and L + 1 phase tables of
// P taps each (P a multiple of 4), table j holding taps j, j + L, j + 2L, …
// of the oversampling low-pass. Table L is table 0 advanced by one tap.
class CFscBase : public CFirLpfBase
{
public:
    static constexpr int ringSize = 1024;
    static constexpr int maxUpFactor = 511;

    explicit CFscBase (int channels);

    int getUpFactor() const override { return upFactor; }
    int getDownFactor() const override { return step; }
    void reset() override;

    // L is clamped to maxUpFactor; taps per phase are limited to ringSize.
    virtual void setupPolyphase (int taps, int rate, int cutoffHz, int up, int down, double gainDb);

    int getTapsPerPhase() const { return tapsPerPhase; }
    int getNumPhases() const { return numPhases; }
    const float* getPhaseTable (int phase) const { return tables[(size_t) phase].data(); }

protected:
    // Writes one frame of every channel into the rings.
    void push (const float* const* inputs, int frame);

    // The dot product of a phase table with the newest P inputs of a channel.
    float phaseSum (const FirKernels& kernels, int phase, int channel) const;
    // The same for every channel, into sums[channel].
    void phaseSums (const FirKernels& kernels, int phase, float* sums) const;

    // The resampling loop on a grid of `upFactor` positions per input frame,
    // stepping by `step`: computeFrame (phasePosition, outputIndex) is called
    // for every output with the position of the output after the newest
    // input (0 ≤ position < upFactor).
    template <typename ComputeFrame>
    int resample (const float* const* inputs, int n, ComputeFrame computeFrame);

    int upFactor = 1;
    int step = 1;
    int numPhases = 1;

private:
    static constexpr int ringMask = ringSize - 1;

    std::vector<AlignedFloats> tables;
    // Each ring stores its inputs newest first and twice (at i and
    // i + ringSize), so the newest P inputs lie contiguous from historyIndex.
    std::vector<AlignedFloats> rings;
    std::array<float*, maxChannels> ringData {};
    int historyIndex = 0;
    int64_t phaseAccumulator = 0;
    int tapsPerPhase = 0;
};

// Rational resampling by L / M.
class CFsConverter : public CFscBase
{
public:
    using CFscBase::CFscBase;

protected:
    int processBlock (const FirKernels& kernels, const float* const* inputs, float* const* outputs, int n) override;
};

// Integer interpolation by L (M is 1).
class COversamplingFilter : public CFscBase
{
public:
    using CFscBase::CFscBase;

protected:
    int processBlock (const FirKernels& kernels, const float* const* inputs, float* const* outputs, int n) override;
};

// Resampling by an arbitrary ratio: the phase grid has 14 fractional bits
// and each output interpolates linearly between two neighbouring phases.
class CFsCwInterpolation : public CFscBase
{
public:
    static constexpr int fractionBits = 14;
    static constexpr int fractionMask = (1 << fractionBits) - 1;
    static constexpr float fractionScale = 1.0f / (1 << fractionBits);

    using CFscBase::CFscBase;

    // A polyphase set-up with L phases at 0 dB, then the grid of
    // L × 16384 positions per input stepped by rate × L / outputRate × 16384.
    void setupVariableRatio (int taps, int rate, int cutoffHz, int up, int outputRate);

protected:
    int processBlock (const FirKernels& kernels, const float* const* inputs, float* const* outputs, int n) override;
};

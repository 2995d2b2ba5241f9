#include "audio/dsp/FirFilters.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int besselTerms = 15;
constexpr double engineAttenuation = 100.0;

int clampChannels (int channels)
{
    return std::clamp (channels, 0, CFirLpfBase::maxChannels);
}

std::vector<AlignedFloats> makeRings (int count, size_t floatsEach)
{
    std::vector<AlignedFloats> rings;
    rings.reserve ((size_t) count);
    for (int c = 0; c < count; ++c)
        rings.emplace_back (floatsEach);
    return rings;
}
}

//==============================================================================
CFirLpfBase::CFirLpfBase (std::unique_ptr<CFirLpfCoeffs> coefficientGenerator, double attenuationDb, int channels)
    : generator (std::move (coefficientGenerator)), numChannels (clampChannels (channels))
{
    generator->setBesselTerms (besselTerms);
    generator->setAttenuation (attenuationDb);
}

int CFirLpfBase::process (const float* const* inputs, float* const* outputs, int n)
{
    return processWithPath (bestDspPath(), inputs, outputs, n);
}

int CFirLpfBase::processWithPath (DspPath path, const float* const* inputs, float* const* outputs, int n)
{
    if (n <= 0)
        return 0;

    const ScopedDspFloatState floatState (path);
    return processBlock (FirKernels::forPath (path), inputs, outputs, n);
}

void CFirLpfBase::configure (int taps, int rate, int cutoffHz, double gainDb)
{
    generator->setLength (taps);
    generator->setSampleRate (rate);
    generator->setCutoff (cutoffHz);
    generator->setGainDb (gainDb);
}

void CFirLpfBase::setAttenuation (double attenuationDb)
{
    generator->setAttenuation (attenuationDb);
}

//==============================================================================
CDecimationFilter::CDecimationFilter (int channels)
    : CFirLpfBase (std::make_unique<CFirLpfCoeffs>(), engineAttenuation, channels),
      rings (makeRings (numChannels, 2 * ringSize))
{
}

void CDecimationFilter::reset()
{
    for (auto& ring : rings)
        ring.clear();
    writeIndex = 0;
    nextOutputIndex = 0;
}

void CDecimationFilter::setupDecimation (int taps, int rate, int cutoffHz, double gainDb, int factor)
{
    downFactor = std::max (1, factor);
    numTaps = std::min ((taps & ~7) | 1, maxTaps);
    configure (numTaps, rate, cutoffHz, gainDb);

    coefficients.clear();
    for (int n = 0; n < numTaps; ++n)
        coefficients.data()[n] = (float) generator->getValue (n);

    reset();
}

int CDecimationFilter::processBlock (const FirKernels& kernels, const float* const* inputs, float* const* outputs, int n)
{
    int produced = 0;
    int write = writeIndex;
    int due = nextOutputIndex;

    for (int c = 0; c < numChannels; ++c)
    {
        float* ring = rings[(size_t) c].data();
        const float* in = inputs[c];
        float* out = outputs[c];
        write = writeIndex;
        due = nextOutputIndex;
        produced = 0;

        for (int i = 0; i < n; ++i)
        {
            const float x = in[i];   // read before an in-place output may overwrite it
            ring[write] = x;
            ring[write + ringSize] = x;

            if (write == due)
            {
                const float* window = ring + write + ringSize - numTaps + 1;
                out[produced++] = kernels.symmetricFir (coefficients.data(), window, numTaps);
                due = (due + downFactor) & ringMask;
            }
            write = (write + 1) & ringMask;
        }
    }

    writeIndex = write;
    nextOutputIndex = due;
    return produced;
}

//==============================================================================
CFscBase::CFscBase (int channels)
    : CFirLpfBase (std::make_unique<COversamplingFilterCoeffs>(), engineAttenuation, channels),
      rings (makeRings (numChannels, 2 * ringSize))
{
    for (int c = 0; c < numChannels; ++c)
        ringData[(size_t) c] = rings[(size_t) c].data();
}

void CFscBase::reset()
{
    for (auto& ring : rings)
        ring.clear();
    historyIndex = 0;
    phaseAccumulator = 0;
}

void CFscBase::setupPolyphase (int taps, int rate, int cutoffHz, int up, int down, double gainDb)
{
    tables.clear();
    upFactor = std::clamp (up, 1, maxUpFactor);
    step = std::max (1, down);
    numPhases = upFactor;

    auto& coeffs = static_cast<COversamplingFilterCoeffs&> (*generator);
    coeffs.setSampleRate (rate);
    coeffs.setUpFactor (upFactor);
    coeffs.setLength (taps);
    coeffs.setCutoff (cutoffHz);
    coeffs.setGainDb (gainDb);

    tapsPerPhase = std::min (((upFactor + taps - 1) / upFactor + 3) & ~3, ringSize);

    tables.reserve ((size_t) numPhases + 1);
    for (int j = 0; j <= numPhases; ++j)
    {
        AlignedFloats& table = tables.emplace_back ((size_t) tapsPerPhase);
        for (int k = 0; k < tapsPerPhase && j + k * upFactor < taps; ++k)
            table.data()[k] = (float) coeffs.getValue (j + k * upFactor);
    }

    reset();
}

void CFscBase::push (const float* const* inputs, int frame)
{
    historyIndex = (historyIndex - 1) & ringMask;
    for (int c = 0; c < numChannels; ++c)
    {
        float* ring = ringData[(size_t) c];
        ring[historyIndex] = inputs[c][frame];
        ring[historyIndex + ringSize] = inputs[c][frame];
    }
}

float CFscBase::phaseSum (const FirKernels& kernels, int phase, int channel) const
{
    return kernels.dotProduct (tables[(size_t) phase].data(), ringData[(size_t) channel] + historyIndex, tapsPerPhase);
}

void CFscBase::phaseSums (const FirKernels& kernels, int phase, float* sums) const
{
    const float* table = tables[(size_t) phase].data();
    int c = 0;
    for (; c + 1 < numChannels; c += 2)
        kernels.dotProductPair (table, ringData[(size_t) c] + historyIndex, ringData[(size_t) c + 1] + historyIndex,
                                tapsPerPhase, sums[c], sums[c + 1]);
    for (; c < numChannels; ++c)
        sums[c] = phaseSum (kernels, phase, c);
}

template <typename ComputeFrame>
int CFscBase::resample (const float* const* inputs, int n, ComputeFrame computeFrame)
{
    // Positions on the up-sampled grid: f is the next output's, g the one
    // just past the newest input pushed so far.
    const int64_t end = (int64_t) n * upFactor;
    int64_t f = phaseAccumulator;
    int64_t g = 0;
    int consumed = 0;
    int produced = 0;

    while (f < end)
    {
        while (f >= g)
        {
            push (inputs, consumed++);
            g += upFactor;
        }
        computeFrame ((int) (upFactor + f - g), produced++);
        f += step;
    }

    while (consumed < n)
        push (inputs, consumed++);

    phaseAccumulator = f - end;
    return produced;
}

//==============================================================================
int CFsConverter::processBlock (const FirKernels& kernels, const float* const* inputs, float* const* outputs, int n)
{
    return resample (inputs, n, [&] (int phase, int index)
    {
        float sums[maxChannels];
        phaseSums (kernels, phase, sums);
        for (int c = 0; c < numChannels; ++c)
            outputs[c][index] = sums[c];
    });
}

//==============================================================================
int COversamplingFilter::processBlock (const FirKernels& kernels, const float* const* inputs, float* const* outputs, int n)
{
    for (int i = 0; i < n; ++i)
    {
        push (inputs, i);
        for (int k = 0; k < upFactor; ++k)
        {
            float sums[maxChannels];
            phaseSums (kernels, k, sums);
            for (int c = 0; c < numChannels; ++c)
                outputs[c][i * upFactor + k] = sums[c];
        }
    }
    return n * upFactor;
}

//==============================================================================
void CFsCwInterpolation::setupVariableRatio (int taps, int rate, int cutoffHz, int up, int outputRate)
{
    setupPolyphase (taps, rate, cutoffHz, up, 1, 0.0);
    upFactor = numPhases << fractionBits;
    step = (int) ((double) rate * numPhases / outputRate * (1 << fractionBits));
}

int CFsCwInterpolation::processBlock (const FirKernels& kernels, const float* const* inputs, float* const* outputs, int n)
{
    return resample (inputs, n, [&] (int position, int index)
    {
        const int phase = position >> fractionBits;
        const float frac = (float) (position & fractionMask) * fractionScale;
        float s0[maxChannels], s1[maxChannels];
        phaseSums (kernels, phase, s0);
        phaseSums (kernels, phase + 1, s1);
        for (int c = 0; c < numChannels; ++c)
            outputs[c][index] = (1.0f - frac) * s0[c] + frac * s1[c];
    });
}

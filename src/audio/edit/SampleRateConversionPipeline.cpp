#include "audio/edit/SampleRateConversionPipeline.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace
{
constexpr double stopBandAttenuation = 120.0;
constexpr int fractionalUpFactor = CFscBase::maxUpFactor;
}

CConverterAnyRatio::CConverterAnyRatio (int channels, int inputRate, int outputRate)
    : CConverterPcmOutputDspBase (channels, {})
{
    const int divisor = std::gcd (inputRate, outputRate);
    inputFactor = inputRate / divisor;
    outputFactor = outputRate / divisor;

    const int cutoff = std::min (inputRate, outputRate) / 2;
    const int perPhase = tapsPerPhaseFor (inputRate, outputRate);

    if (outputFactor <= CFscBase::maxUpFactor)
    {
        auto rational = std::make_unique<CFsConverter> (channels);
        rational->setAttenuation (stopBandAttenuation);
        rational->setupPolyphase (outputFactor * perPhase + 1, inputRate, cutoff, outputFactor, inputFactor, 0.0);
        engine = std::move (rational);
    }
    else
    {
        auto fractional = std::make_unique<CFsCwInterpolation> (channels);
        fractional->setAttenuation (stopBandAttenuation);
        fractional->setupVariableRatio (fractionalUpFactor * perPhase + 1, inputRate, cutoff, fractionalUpFactor,
                                        outputRate);
        engine = std::move (fractional);
    }

    engine->reset();
}

int CConverterAnyRatio::tapsPerPhaseFor (int inputRate, int outputRate)
{
    if (inputRate <= outputRate)
        return tapsPerPhase;

    return (int) std::ceil ((double) tapsPerPhase * inputRate / outputRate);
}

bool CConverterAnyRatio::canConvert (int inputRate, int outputRate)
{
    // Each phase's taps must fit the engine's history ring.
    return inputRate > 0 && outputRate > 0
        && tapsPerPhaseFor (inputRate, outputRate) + 4 < CFscBase::ringSize;
}

int CConverterAnyRatio::process (const float* const* inputs, float* const* outputs, int n)
{
    return engine->process (inputs, outputs, n);
}

int CConverterAnyRatio::inputFramesFor (int outputFrames) const
{
    return (int) ((int64_t) outputFrames * engine->getDownFactor() / engine->getUpFactor());
}

//==============================================================================
bool SampleRateConversionPipeline::canConvert (int inputRate, int outputRate, int channels)
{
    if (channels < 1 || channels > CSimpleBufferPcm::maxChannels)
        return false;

    return getRatePairIndex (inputRate, outputRate) >= 0 || CConverterAnyRatio::canConvert (inputRate, outputRate);
}

bool SampleRateConversionPipeline::prepareConverter()
{
    anyRatio = nullptr;

    if (CAudioFileConverterPcmOutput::prepareConverter())
        return true;

    // The base refuses missing ends and channel counts before it looks for
    // a converter; only then is the pair without one in the table.
    if (input == nullptr || output == nullptr || ! input->isValid()
        || output->getNumChannels() > CSimpleBufferPcm::maxChannels
        || getRatePairIndex (input->getSampleRate(), output->getSampleRate()) >= 0
        || ! canConvert (input->getSampleRate(), output->getSampleRate(), input->getNumChannels()))
        return false;

    auto resampler = std::make_unique<CConverterAnyRatio> (input->getNumChannels(), input->getSampleRate(),
                                                           output->getSampleRate());
    anyRatio = resampler.get();
    converter = std::move (resampler);
    return true;
}

int SampleRateConversionPipeline::getChunkSize() const
{
    if (anyRatio == nullptr)
        return CAudioFileConverterPcmOutput::getChunkSize();

    return std::min (anyRatio->inputFramesFor (outputBufferFrames), inputBufferFrames);
}

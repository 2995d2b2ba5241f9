#include "audio/dsp/Converters.h"

#include <algorithm>
#include <array>
#include <cstring>

ConverterStage ConverterStage::decimator (int taps, int rate, int cutoff, int down, double gainDb)
{
    return { Kind::decimator, taps, rate, cutoff, 1, down, gainDb };
}

ConverterStage ConverterStage::resampler (int taps, int rate, int cutoff, int up, int down, double gainDb)
{
    return { Kind::resampler, taps, rate, cutoff, up, down, gainDb };
}

ConverterStage ConverterStage::interpolator (int taps, int rate, int cutoff, int up)
{
    return { Kind::interpolator, taps, rate, cutoff, up, 1 };
}

ConverterStage ConverterStage::withAttenuation (double attenuationDb) const
{
    ConverterStage stage = *this;
    stage.attenuation = attenuationDb;
    return stage;
}

namespace
{
std::unique_ptr<CFirLpfBase> createEngine (ConverterStage::Kind kind, int channels)
{
    switch (kind)
    {
        case ConverterStage::Kind::decimator:    return std::make_unique<CDecimationFilter> (channels);
        case ConverterStage::Kind::resampler:    return std::make_unique<CFsConverter> (channels);
        case ConverterStage::Kind::interpolator: return std::make_unique<COversamplingFilter> (channels);
    }
    return {};
}

// The engine must have been created for the stage's kind: a stage designed
// again keeps its kind.
void setUpEngine (CFirLpfBase& engine, const ConverterStage& stage)
{
    engine.setAttenuation (stage.attenuation);

    if (stage.kind == ConverterStage::Kind::decimator)
        static_cast<CDecimationFilter&> (engine).setupDecimation (stage.taps, stage.rate, stage.cutoff, stage.gainDb, stage.down);
    else
        static_cast<CFscBase&> (engine).setupPolyphase (stage.taps, stage.rate, stage.cutoff, stage.up, stage.down, stage.gainDb);
}

using ChannelPointers = std::array<float*, CFirLpfBase::maxChannels>;

ChannelPointers offsetArrays (const float* const* arrays, int channels, int offset)
{
    ChannelPointers result {};
    for (int c = 0; c < channels; ++c)
        result[(size_t) c] = const_cast<float*> (arrays[c]) + offset;
    return result;
}
}

//==============================================================================
CConverterPcmOutputDspBase::CConverterPcmOutputDspBase (int channels, std::initializer_list<ConverterStage> stageList)
    : numChannels (std::clamp (channels, 0, stageList.size() > 1 ? CSimpleBufferPcm::maxChannels
                                                                   : CFirLpfBase::maxChannels))
{
    for (const auto& stage : stageList)
    {
        stages.push_back (createEngine (stage.kind, numChannels));
        setUpEngine (*stages.back(), stage);
    }

    if (stages.size() > 1)
        buffer = std::make_unique<CSimpleBufferPcm> (numChannels, bufferFrames);
}

void CConverterPcmOutputDspBase::setUpStageAgain (int index, const ConverterStage& stage)
{
    setUpEngine (*stages[(size_t) index], stage);
}

int CConverterPcmOutputDspBase::getInputFactor() const
{
    int factor = 1;
    for (const auto& stage : stages)
        factor *= stage->getDownFactor();
    return factor;
}

int CConverterPcmOutputDspBase::getOutputFactor() const
{
    int factor = 1;
    for (const auto& stage : stages)
        factor *= stage->getUpFactor();
    return factor;
}

int CConverterPcmOutputDspBase::getDelay() const
{
    // Each stage's delay counts in its own input frames; scale it back to
    // the converter's input by the ratio of the stages before it.
    int64_t delay = 0;
    int64_t down = 1;
    int64_t up = 1;
    for (const auto& stage : stages)
    {
        delay += stage->getDelay() * down / up;
        down *= stage->getDownFactor();
        up *= stage->getUpFactor();
    }
    return (int) delay;
}

void CConverterPcmOutputDspBase::reset()
{
    for (auto& stage : stages)
        stage->reset();
}

int CConverterPcmOutputDspBase::process (const float* const* inputs, float* const* outputs, int n)
{
    if (n <= 0)
        return 0;
    if (stages.empty())
        return copy (inputs, outputs, n);
    if (stages.size() == 1)
        return stages.front()->process (inputs, outputs, n);
    return processChain (inputs, outputs, n);
}

int CConverterPcmOutputDspBase::processChain (const float* const* inputs, float* const* outputs, int n)
{
    auto& first = *stages.front();
    auto& last = *stages.back();
    float* const* intermediate = buffer->getArrays();
    const int chunk = bufferFrames * first.getDownFactor() / first.getUpFactor();
    int produced = 0;

    for (int offset = 0; offset < n; offset += chunk)
    {
        const auto in = offsetArrays (inputs, numChannels, offset);
        int frames = first.process (in.data(), intermediate, std::min (chunk, n - offset));

        for (size_t s = 1; s + 1 < stages.size(); ++s)
            frames = stages[s]->process (intermediate, intermediate, frames);

        const auto out = offsetArrays (outputs, numChannels, produced);
        produced += last.process (intermediate, out.data(), frames);
    }
    return produced;
}

int CConverterPcmOutputDspBase::copy (const float* const* inputs, float* const* outputs, int n) const
{
    for (int c = 0; c < numChannels; ++c)
        if (outputs[c] != inputs[c])
            std::memmove (outputs[c], inputs[c], (size_t) n * sizeof (float));
    return n;
}

CConverterPcmOutput1xStageDspBase::CConverterPcmOutput1xStageDspBase (int channels, const ConverterStage& stage1)
    : CConverterPcmOutputDspBase (channels, { stage1 })
{
}

CConverterPcmOutput2xStageDspBase::CConverterPcmOutput2xStageDspBase (int channels, const ConverterStage& stage1,
                                                                      const ConverterStage& stage2)
    : CConverterPcmOutputDspBase (channels, { stage1, stage2 })
{
}

CConverterPcmOutput3xStageDspBase::CConverterPcmOutput3xStageDspBase (int channels, const ConverterStage& stage1,
                                                                      const ConverterStage& stage2,
                                                                      const ConverterStage& stage3)
    : CConverterPcmOutputDspBase (channels, { stage1, stage2, stage3 })
{
}

CConverterPcmOutputSameRate::CConverterPcmOutputSameRate (int channels)
    : CConverterPcmOutputDspBase (channels, {})
{
}

//==============================================================================
namespace
{
using S = ConverterStage;
constexpr double x2 = ConverterStage::doubleGainDb;
constexpr double steepAttenuation = 138.0;
}

CConverter44_1kHz_To_48kHz::CConverter44_1kHz_To_48kHz (int ch)
    : CConverterPcmOutput1xStageDspBase (ch, S::resampler (15361, 44100, 22050, 160, 147)) {}
CConverter44_1kHz_To_88_2kHz::CConverter44_1kHz_To_88_2kHz (int ch)
    : CConverterPcmOutput1xStageDspBase (ch, S::interpolator (193, 44100, 22050, 2)) {}
CConverter44_1kHz_To_96kHz::CConverter44_1kHz_To_96kHz (int ch)
    : CConverterPcmOutput1xStageDspBase (ch, S::resampler (30721, 44100, 22050, 320, 147)) {}
CConverter48kHz_To_44_1kHz::CConverter48kHz_To_44_1kHz (int ch)
    : CConverterPcmOutput1xStageDspBase (ch, S::resampler (14113, 48000, 22050, 147, 160)) {}
CConverter48kHz_To_88_2kHz::CConverter48kHz_To_88_2kHz (int ch)
    : CConverterPcmOutput1xStageDspBase (ch, S::resampler (14113, 48000, 24000, 147, 80)) {}
CConverter48kHz_To_176_4kHz::CConverter48kHz_To_176_4kHz (int ch)
    : CConverterPcmOutput1xStageDspBase (ch, S::resampler (14113, 48000, 24000, 147, 40)) {}
CConverter88_2kHz_To_44_1kHz::CConverter88_2kHz_To_44_1kHz (int ch)
    : CConverterPcmOutput1xStageDspBase (ch, S::decimator (193, 88200, 22050, 2)) {}
CConverter88_2kHz_To_48kHz::CConverter88_2kHz_To_48kHz (int ch)
    : CConverterPcmOutput1xStageDspBase (ch, S::resampler (15361, 88200, 24000, 80, 147)) {}
CConverter96kHz_To_44_1kHz::CConverter96kHz_To_44_1kHz (int ch)
    : CConverterPcmOutput1xStageDspBase (ch, S::resampler (56449, 96000, 22050, 147, 320)) {}
CConverter176_4kHz_To_48kHz::CConverter176_4kHz_To_48kHz (int ch)
    : CConverterPcmOutput1xStageDspBase (ch, S::resampler (15361, 176400, 24000, 40, 147)) {}

CConverter176_4kHz_To_44_1kHz::CConverter176_4kHz_To_44_1kHz (int ch)
    : CConverterPcmOutput2xStageDspBase (ch, S::decimator (33, 176400, 42000, 2),
                                             S::decimator (193, 88200, 22050, 2)) {}
CConverter192kHz_To_44_1kHz::CConverter192kHz_To_44_1kHz (int ch)
    : CConverterPcmOutput2xStageDspBase (ch, S::decimator (33, 192000, 48000, 2),
                                             S::resampler (56449, 96000, 22050, 147, 320)) {}
CConverter44_1kHz_To_176_4kHz::CConverter44_1kHz_To_176_4kHz (int ch)
    : CConverterPcmOutput2xStageDspBase (ch, S::interpolator (193, 44100, 22050, 2),
                                             S::interpolator (33, 88200, 42000, 2)) {}
CConverter44_1kHz_To_192kHz::CConverter44_1kHz_To_192kHz (int ch)
    : CConverterPcmOutput2xStageDspBase (ch, S::resampler (30721, 44100, 22050, 320, 147),
                                             S::interpolator (33, 96000, 48000, 2)) {}
CConverter2_8MHz_To_176_4kHz::CConverter2_8MHz_To_176_4kHz (int ch)
    : CConverterPcmOutput2xStageDspBase (ch, S::decimator (105, 2822400, 158500, 8),
                                             S::decimator (193, 88200, 22050, 2, x2)) {}
CConverter2_8MHz_To_176_4kHz_FastRolloff::CConverter2_8MHz_To_176_4kHz_FastRolloff (int ch)
    : CConverter2_8MHz_To_176_4kHz (ch)
{
    setUpStageAgain (1, S::decimator (129, 352800, 44000, 2, x2).withAttenuation (steepAttenuation));
}
CConverter2_8MHz_To_176_4kHz_SlowRolloff::CConverter2_8MHz_To_176_4kHz_SlowRolloff (int ch)
    : CConverter2_8MHz_To_176_4kHz (ch)
{
    setUpStageAgain (1, S::decimator (49, 352800, 54500, 2, x2).withAttenuation (steepAttenuation));
}
CConverter2_8MHz_To_192kHz::CConverter2_8MHz_To_192kHz (int ch)
    : CConverterPcmOutput2xStageDspBase (ch, S::decimator (77, 2822400, 162000, 7),
                                             S::resampler (8065, 403200, 96000, 10, 21, x2)) {}
CConverter2_8MHz_To_192kHz_FastRolloff::CConverter2_8MHz_To_192kHz_FastRolloff (int ch)
    : CConverter2_8MHz_To_192kHz (ch)
{
    setUpStageAgain (1, S::resampler (1281, 403200, 44000, 10, 21, x2).withAttenuation (steepAttenuation));
}
CConverter2_8MHz_To_192kHz_SlowRolloff::CConverter2_8MHz_To_192kHz_SlowRolloff (int ch)
    : CConverter2_8MHz_To_192kHz (ch)
{
    setUpStageAgain (1, S::resampler (411, 403200, 55000, 10, 21, x2).withAttenuation (steepAttenuation));
}

CConverter2_8MHz_To_44_1kHz::CConverter2_8MHz_To_44_1kHz (int ch)
    : CConverterPcmOutput3xStageDspBase (ch, S::decimator (73, 2822400, 168000, 8),
                                             S::decimator (57, 352800, 41000, 4),
                                             S::decimator (193, 88200, 22050, 2, x2)) {}
CConverter2_8MHz_To_48kHz::CConverter2_8MHz_To_48kHz (int ch)
    : CConverterPcmOutput3xStageDspBase (ch, S::decimator (57, 2822400, 182500, 7),
                                             S::decimator (137, 403200, 31500, 6),
                                             S::resampler (673, 67200, 24000, 5, 7, x2)) {}
CConverter2_8MHz_To_88_2kHz::CConverter2_8MHz_To_88_2kHz (int ch)
    : CConverterPcmOutput3xStageDspBase (ch, S::decimator (81, 2822400, 167000, 8),
                                             S::decimator (33, 176400, 42000, 2),
                                             S::decimator (193, 88200, 22050, 2, x2)) {}
CConverter2_8MHz_To_96kHz::CConverter2_8MHz_To_96kHz (int ch)
    : CConverterPcmOutput3xStageDspBase (ch, S::decimator (65, 2822400, 192000, 7),
                                             S::decimator (65, 403200, 61500, 3),
                                             S::resampler (673, 67200, 24000, 5, 7, x2)) {}
CConverter5_6MHz_To_44_1kHz::CConverter5_6MHz_To_44_1kHz (int ch)
    : CConverterPcmOutput3xStageDspBase (ch, S::decimator (65, 5644800, 333000, 8),
                                             S::decimator (105, 2822400, 158500, 8),
                                             S::decimator (193, 88200, 22050, 2, x2)) {}
CConverter5_6MHz_To_48kHz::CConverter5_6MHz_To_48kHz (int ch)
    : CConverterPcmOutput3xStageDspBase (ch, S::decimator (57, 5644800, 388000, 7),
                                             S::decimator (273, 806400, 30000, 12),
                                             S::resampler (673, 67200, 24000, 5, 7, x2)) {}
CConverter11_2MHz_To_44_1kHz::CConverter11_2MHz_To_44_1kHz (int ch)
    : CConverterPcmOutput3xStageDspBase (ch, S::decimator (137, 11289600, 285000, 16),
                                             S::decimator (105, 2822400, 158500, 8),
                                             S::decimator (193, 88200, 22050, 2, x2)) {}
CConverter11_2MHz_To_48kHz::CConverter11_2MHz_To_48kHz (int ch)
    : CConverterPcmOutput3xStageDspBase (ch, S::decimator (113, 11289600, 344000, 14),
                                             S::decimator (273, 806400, 30000, 12),
                                             S::resampler (673, 67200, 24000, 5, 7, x2)) {}

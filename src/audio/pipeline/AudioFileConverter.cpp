#include "audio/pipeline/AudioFileConverter.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

namespace
{
constexpr int firstOneBitRate = 2822400;
constexpr int pauseStepMilliseconds = 200;

// Multiplies a block by a linear ramp: each frame takes the running value,
// clamped to 0 … 1, which then grows by the slope. Single precision.
void applyRamp (float* const* channels, int numChannels, int frames, float start, float slope)
{
    float value = start;
    for (int i = 0; i < frames; ++i)
    {
        const float gain = std::clamp (value, 0.0f, 1.0f);
        for (int c = 0; c < numChannels; ++c)
            channels[c][i] *= gain;
        value += slope;
    }
}

//==============================================================================
// The rate table: rows by input rate, columns by output rate.
constexpr std::array<int, 9> inputRates { 44100, 48000, 88200, 96000, 176400, 192000, 2822400, 5644800, 11289600 };
constexpr std::array<int, 6> outputRates { 44100, 48000, 88200, 96000, 176400, 192000 };
constexpr int rowLength = (int) outputRates.size();
constexpr int numPairs = (int) (inputRates.size() * outputRates.size());

using ConverterPtr = std::unique_ptr<CConverterPcmOutputDspBase>;
using Factory = ConverterPtr (*) (int channels, int rolloff);

template <typename Converter>
ConverterPtr make (int channels, int)
{
    return std::make_unique<Converter> (channels);
}

template <typename Fast, typename Slow, typename Plain>
ConverterPtr makeByRolloff (int channels, int rolloff)
{
    if (rolloff == CAudioFileConverterPcmOutput::fastRolloff)
        return std::make_unique<Fast> (channels);
    if (rolloff == CAudioFileConverterPcmOutput::slowRolloff)
        return std::make_unique<Slow> (channels);
    return std::make_unique<Plain> (channels);
}

struct RatePairs
{
    Factory factory;
    std::initializer_list<std::pair<int, int>> pairs;
};

const std::array<Factory, numPairs>& factoryTable()
{
    static const std::array<Factory, numPairs> table = [] {
        const RatePairs entries[] = {
            { make<CConverter44_1kHz_To_48kHz>, { { 44100, 48000 }, { 88200, 96000 }, { 176400, 192000 } } },
            { make<CConverter44_1kHz_To_88_2kHz>, { { 44100, 88200 }, { 48000, 96000 }, { 88200, 176400 }, { 96000, 192000 } } },
            { make<CConverter44_1kHz_To_96kHz>, { { 44100, 96000 }, { 88200, 192000 } } },
            { make<CConverter44_1kHz_To_176_4kHz>, { { 44100, 176400 }, { 48000, 192000 } } },
            { make<CConverter44_1kHz_To_192kHz>, { { 44100, 192000 } } },
            { make<CConverter48kHz_To_44_1kHz>, { { 48000, 44100 }, { 96000, 88200 }, { 192000, 176400 } } },
            { make<CConverter48kHz_To_88_2kHz>, { { 48000, 88200 }, { 96000, 176400 } } },
            { make<CConverter48kHz_To_176_4kHz>, { { 48000, 176400 } } },
            { make<CConverter88_2kHz_To_44_1kHz>, { { 88200, 44100 }, { 96000, 48000 }, { 176400, 88200 }, { 192000, 96000 } } },
            { make<CConverter88_2kHz_To_48kHz>, { { 88200, 48000 }, { 176400, 96000 } } },
            { make<CConverter96kHz_To_44_1kHz>, { { 96000, 44100 }, { 192000, 88200 } } },
            { make<CConverter176_4kHz_To_44_1kHz>, { { 176400, 44100 }, { 192000, 48000 } } },
            { make<CConverter176_4kHz_To_48kHz>, { { 176400, 48000 } } },
            { make<CConverter192kHz_To_44_1kHz>, { { 192000, 44100 } } },
            { make<CConverter2_8MHz_To_44_1kHz>, { { 2822400, 44100 }, { 5644800, 88200 }, { 11289600, 176400 } } },
            { make<CConverter2_8MHz_To_48kHz>, { { 2822400, 48000 }, { 5644800, 96000 }, { 11289600, 192000 } } },
            { make<CConverter2_8MHz_To_88_2kHz>, { { 2822400, 88200 }, { 5644800, 176400 } } },
            { make<CConverter2_8MHz_To_96kHz>, { { 2822400, 96000 }, { 5644800, 192000 } } },
            { makeByRolloff<CConverter2_8MHz_To_176_4kHz_FastRolloff, CConverter2_8MHz_To_176_4kHz_SlowRolloff,
                            CConverter2_8MHz_To_176_4kHz>, { { 2822400, 176400 } } },
            { makeByRolloff<CConverter2_8MHz_To_192kHz_FastRolloff, CConverter2_8MHz_To_192kHz_SlowRolloff,
                            CConverter2_8MHz_To_192kHz>, { { 2822400, 192000 } } },
            { make<CConverter5_6MHz_To_44_1kHz>, { { 5644800, 44100 }, { 11289600, 88200 } } },
            { make<CConverter5_6MHz_To_48kHz>, { { 5644800, 48000 }, { 11289600, 96000 } } },
            { make<CConverter11_2MHz_To_44_1kHz>, { { 11289600, 44100 } } },
            { make<CConverter11_2MHz_To_48kHz>, { { 11289600, 48000 } } },
            { make<CConverterPcmOutputSameRate>, { { 44100, 44100 }, { 48000, 48000 }, { 88200, 88200 },
                                                   { 96000, 96000 }, { 176400, 176400 }, { 192000, 192000 } } },
        };

        std::array<Factory, numPairs> result {};
        for (const auto& entry : entries)
            for (const auto& [in, out] : entry.pairs)
                result[(size_t) CAudioFileConverterPcmOutput::getRatePairIndex (in, out)] = entry.factory;
        return result;
    }();
    return table;
}

template <size_t N>
int indexOf (const std::array<int, N>& rates, int rate)
{
    const auto it = std::find (rates.begin(), rates.end(), rate);
    return it != rates.end() ? (int) (it - rates.begin()) : -1;
}
}

//==============================================================================
CAudioFileConverterBase::CAudioFileConverterBase (int channels)
    : inputBuffer (channels, inputBufferFrames),
      levels (std::make_unique<CDynamicControl> (channels)),
      numChannels ((int16_t) channels)
{
}

bool CAudioFileConverterBase::start (CAudioPlayerInput* newInput, CAudioRecorderOutput* newOutput)
{
    primed = keepPrimedRequest;
    keepPrimedRequest = false;
    bypass = false;
    input = newInput;
    output = newOutput;

    started = prepareConverter();
    if (! started)
    {
        primed = false;
        return false;
    }

    if (levels->getNumChannels() != converter->getNumChannels())
    {
        converter->reset();
        levels = std::make_unique<CDynamicControl> (input->getNumChannels());
    }

    chunkSize = getChunkSize();
    configureLevels();

    bypass = input->getSampleRate() == output->getSampleRate()
          && input->canBeCopiedDirectly()
          && levels->isNeutral();
    return true;
}

int CAudioFileConverterBase::getChunkSize() const
{
    return std::min (outputBufferFrames * converter->getInputFactor() / converter->getOutputFactor(),
                     inputBufferFrames);
}

void CAudioFileConverterBase::configureLevels()
{
    levels->getDcCut().setSampleRate (output->getSampleRate());
    levels->getFade().setSampleRate (output->getSampleRate());
    levels->getFade().setLength ((int64_t) (input->getLengthInSeconds() * output->getSampleRate()));

    if (! primed)
    {
        levels->getDcCut().reset();
        levels->resetMeters();
    }
}

void CAudioFileConverterBase::run()
{
    if (! started)
        return;

    input->setPosition (0);
    auto& fade = levels->getFade();
    fade.setLength ((int64_t) (input->getLengthInSeconds() * fade.getSampleRate()));
    levels->reset();
    output->getMarkers().copyFrom (input->getMarkers());
    output->getMetaData().copyFrom (input->getMetaData());
    output->prepareToWrite();

    if (bypass)
    {
        copyUnconverted();
    }
    else
    {
        if (! primed && ! shouldStop())
            prime();

        while (waitWhilePaused() && step() > 0)
        {
        }

        if (! shouldStop())
            flush();
    }

    stopFlag = false;
    pauseFlag = false;
}

bool CAudioFileConverterBase::waitWhilePaused() const
{
    while (pauseFlag && ! stopFlag)
        std::this_thread::sleep_for (std::chrono::milliseconds (pauseStepMilliseconds));
    return ! stopFlag;
}

//==============================================================================
CAudioFileConverterPcmOutput::CAudioFileConverterPcmOutput (int channels)
    : CAudioFileConverterBase (channels),
      outputBuffer (CSimpleBufferPcm::maxChannels, outputBufferFrames)
{
}

int CAudioFileConverterPcmOutput::getRatePairIndex (int inputRate, int outputRate)
{
    const int row = indexOf (inputRates, inputRate);
    const int column = indexOf (outputRates, outputRate);
    return row >= 0 && column >= 0 ? row * rowLength + column : -1;
}

std::unique_ptr<CConverterPcmOutputDspBase> CAudioFileConverterPcmOutput::createConverter (int index, int channels,
                                                                                           int rolloffChoice)
{
    if (index < 0 || index >= numPairs || factoryTable()[(size_t) index] == nullptr)
        return {};
    return factoryTable()[(size_t) index] (channels, rolloffChoice);
}

bool CAudioFileConverterPcmOutput::prepareConverter()
{
    if (input == nullptr || output == nullptr || ! input->isValid())
        return false;

    // The blocks hold at most two channels.
    const int channels = input->getNumChannels();
    if (channels < 1 || channels > inputBuffer.getNumChannels() || output->getNumChannels() > outputBuffer.getNumChannels())
        return false;

    if (outputProcess == nullptr)
        outputProcess = CAudioRecorderOutputProcessBase::create (outputProcessKind);
    outputProcess->bind (output);
    outputProcess->initialise();

    const int index = getRatePairIndex (input->getSampleRate(), output->getSampleRate());

    if (converter != nullptr && index == pairIndex && converter->getNumChannels() == channels)
    {
        if (! primed)
            converter->reset();
        return true;
    }

    converter.reset();
    primed = false;
    pairIndex = -1;

    converter = createConverter (index, channels, rolloff);
    if (converter == nullptr)
        return false;

    pairIndex = index;
    return true;
}

int CAudioFileConverterPcmOutput::getPrimingFrames() const
{
    const int delay = converter->getDelay();
    return input->getSampleRate() >= firstOneBitRate ? delay & ~7 : delay;
}

void CAudioFileConverterPcmOutput::prime()
{
    const int delay = getPrimingFrames();
    if (delay <= 0)
        return;

    const float slope = 1.0f / (float) delay;
    int consumed = 0;

    while (consumed < delay && ! shouldStop())
    {
        const int frames = input->read (inputBuffer.getArrays(), std::min (delay - consumed, chunkSize), 0);
        if (frames == 0)
            break;

        applyRamp (inputBuffer.getArrays(), input->getNumChannels(), frames, slope * (float) consumed, slope);
        converter->process (inputBuffer.getArrays(), outputBuffer.getArrays(), frames);
        consumed += frames;
    }
}

int CAudioFileConverterPcmOutput::step()
{
    const int frames = input->read (inputBuffer.getArrays(), chunkSize, 0);
    if (frames == 0)
        return 0;

    return deliver (converter->process (inputBuffer.getArrays(), outputBuffer.getArrays(), frames));
}

void CAudioFileConverterPcmOutput::flush()
{
    int delay = converter->getDelay();
    if (input->getSampleRate() >= firstOneBitRate)
        delay = (delay + 7) & ~7;

    const int fadeLength = delay * converter->getOutputFactor() / converter->getInputFactor();
    if (delay <= 0 || fadeLength <= 0)
        return;

    const float slope = -1.0f / (float) fadeLength;
    inputBuffer.clear();
    int fed = 0;
    int position = 0;

    while (fed < delay && ! shouldStop())
    {
        const int frames = std::min (chunkSize, delay - fed);
        const int produced = converter->process (inputBuffer.getArrays(), outputBuffer.getArrays(), frames);

        levels->process (outputBuffer.getArrays(), converter->getNumChannels(), produced);
        applyRamp (outputBuffer.getArrays(), converter->getNumChannels(), produced,
                   slope * (float) (position + 1) + 1.0f, slope);
        position += produced;
        fed += frames;

        if (writeOut (produced) == 0)
            break;
    }
}

void CAudioFileConverterPcmOutput::copyUnconverted()
{
    while (waitWhilePaused())
    {
        const int frames = input->read (outputBuffer.getArrays(), std::min (chunkSize, outputBufferFrames), 0);
        if (frames == 0 || deliver (frames) == 0)
            break;
    }
}

int CAudioFileConverterPcmOutput::deliver (int frames)
{
    levels->process (outputBuffer.getArrays(), input->getNumChannels(), frames);
    return writeOut (frames);
}

int CAudioFileConverterPcmOutput::writeOut (int frames)
{
    for (int c = input->getNumChannels(); c < output->getNumChannels(); ++c)
        std::copy_n (outputBuffer.getChannel (0), frames, outputBuffer.getChannel (c));

    return outputProcess->process (outputBuffer.getArrays(), frames);
}

#include "audio/edit/SampleDataFsConverter.h"

#include "audio/edit/SampleRateConversionPipeline.h"
#include "audio/edit/WaveOperations.h"
#include "data/SampleData.h"

namespace
{
juce::int64 roundUpToGranule (juce::int64 bytes)
{
    const juce::int64 granule = SampleData::memoryGranule;
    return (bytes + granule - 1) / granule * granule;
}
}

SampleDataFsConverter::SampleDataFsConverter (FreeMemoryQuery query)
    : freeSampleMemory (std::move (query))
{
}

SampleDataFsConverter::~SampleDataFsConverter() = default;

bool SampleDataFsConverter::isDeviceRate (double rate)
{
    return rate == 48000.0 || rate == 24000.0 || rate == 12000.0 || rate == 6000.0;
}

int SampleDataFsConverter::convert (SampleData& sample, double targetRate)
{
    const double rate = sample.getSampleRate();
    const int r = (int) rate;
    const int t = (int) targetRate;

    if (r <= 0 || t <= 0)
        return notPossible;

    if (! fitsInMemory (sample.getNumChannels(), sample.getNumFrames(), rate, targetRate))
        return notEnoughMemory;

    const int newStart = (int) (targetRate * sample.getParameter (SampleData::start) / rate);
    const int newEnd = (int) (targetRate * sample.getParameter (SampleData::end) / rate);

    if (targetRate != rate)
    {
        if (isDeviceRate (rate) && isDeviceRate (targetRate))
        {
            if (r % t == 0)
                dropFrames (sample, r / t);
            else
                repeatFrames (sample, t / r);
        }
        else if (! convertFiltered (sample, targetRate))
        {
            return notPossible;
        }
    }

    if (cancelFlag)
        return cancelled;

    sample.setParameter (SampleData::start, newStart);
    sample.setParameter (SampleData::end, newEnd);
    WaveOperations::separateEqualPoints (sample);
    return converted;
}

int SampleDataFsConverter::convertSource (CAudioPlayerInput& source, double sourceRate, SampleData& target,
                                          double targetRate)
{
    if (sourceRate <= 0 || targetRate <= 0 || isDeviceRate (sourceRate))
        return notPossible;

    if (! fitsInMemory (source.getNumChannels(), source.getLengthInFrames(), sourceRate, targetRate))
        return notEnoughMemory;

    if (! runPipeline (source, sourceRate, target, targetRate))
        return notPossible;

    return cancelFlag ? cancelled : converted;
}

void SampleDataFsConverter::cancel()
{
    const juce::ScopedLock scopedLock (lock);
    cancelFlag = true;

    if (pipeline != nullptr)
    {
        pipeline->setStop (true);
        pipeline->setPause (false);
    }
}

bool SampleDataFsConverter::fitsInMemory (int channels, juce::int64 frames, double rate, double targetRate) const
{
    const juce::int64 bytes = roundUpToGranule ((juce::int64) channels * frames * 2);
    const auto convertedBytes = (juce::int64) (targetRate / rate * (double) bytes);
    const juce::int64 freeBytes = freeSampleMemory ? freeSampleMemory() : 0;

    return convertedBytes <= freeBytes + bytes + bankSampleMemory;
}

void SampleDataFsConverter::dropFrames (SampleData& sample, int factor)
{
    const AudioBuffer source (sample);
    sample.resize (source.getNumChannels(), source.getNumFrames() / factor, source.getSampleRate() / factor, false);

    for (int c = 0; c < sample.getNumChannels(); ++c)
    {
        const float* from = source.getAudio().getReadPointer (c);
        float* to = sample.getAudio().getWritePointer (c);

        for (int j = 0; j < sample.getNumFrames() && ! cancelFlag; ++j)
            to[j] = from[j * factor];
    }
}

void SampleDataFsConverter::repeatFrames (SampleData& sample, int factor)
{
    const AudioBuffer source (sample);
    sample.resize (source.getNumChannels(), source.getNumFrames() * factor, source.getSampleRate() * factor, false);

    for (int c = 0; c < sample.getNumChannels(); ++c)
    {
        const float* from = source.getAudio().getReadPointer (c);
        float* to = sample.getAudio().getWritePointer (c);

        for (int j = 0; j < sample.getNumFrames() && ! cancelFlag; ++j)
            to[j] = from[j / factor];
    }
}

bool SampleDataFsConverter::convertFiltered (SampleData& sample, double targetRate)
{
    const SampleData source (sample);
    SampleDataAudioPlayerInput input (&source);

    if (runPipeline (input, source.getSampleRate(), sample, targetRate))
        return true;

    static_cast<AudioBuffer&> (sample) = source;
    return false;
}

bool SampleDataFsConverter::runPipeline (CAudioPlayerInput& source, double sourceRate, SampleData& target,
                                         double targetRate)
{
    const int channels = source.getNumChannels();
    const auto frames = (juce::int64) ((double) source.getLengthInFrames() * targetRate / sourceRate) + 1;

    if (frames >= std::numeric_limits<int>::max() || ! SampleRateConversionPipeline::canConvert (
            (int) sourceRate, (int) targetRate, channels))
        return false;

    target.resize (channels, (int) frames, targetRate, false);
    SampleDataAudioRecorderOutput output (&target);

    SampleRateConversionPipeline* running = nullptr;
    {
        const juce::ScopedLock scopedLock (lock);
        pipeline = std::make_unique<SampleRateConversionPipeline> (channels);

        if (cancelFlag)
            pipeline->setStop (true);
        running = pipeline.get();
    }

    const bool started = running->start (&source, &output);
    if (started)
        running->run();

    {
        const juce::ScopedLock scopedLock (lock);
        pipeline.reset();
    }

    return started;
}

// The wave operations and the rate conversion of a sample with arbitrary
// selections and rates. The input makes a sample (channels, frames, rate,
// start and end points, audio), then a run of edits. Every edit either
// refuses and leaves the sample exactly as it was, or leaves a sample whose
// points address its real frames and whose length is what the edit says.
#include "FuzzSupport.h"

#include "audio/edit/SampleDataFsConverter.h"
#include "audio/edit/WaveOperations.h"
#include "data/AudioBuffer.h"
#include "data/SampleData.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace
{
// Long enough for every path, short enough for thousands of inputs a second.
constexpr int maximumFrames = 3000;
constexpr int maximumEdits = 8;

const WaveOperations::Operation operations[] = {
    WaveOperations::deleteSelection, WaveOperations::truncate, WaveOperations::silence,
    WaveOperations::normalize,       WaveOperations::fadeIn,   WaveOperations::fadeOut,
};

const double rates[] = { 48000.0, 24000.0, 12000.0, 6000.0, 44100.0, 96000.0, 0.0, 32000.0 };

bool sameSample (const SampleData& a, const SampleData& b)
{
    if (a.getNumChannels() != b.getNumChannels() || a.getNumFrames() != b.getNumFrames()
        || a.getSampleRate() != b.getSampleRate() || a.getBufferId() != b.getBufferId()
        || a.getParameter (SampleData::start) != b.getParameter (SampleData::start)
        || a.getParameter (SampleData::end) != b.getParameter (SampleData::end))
        return false;

    for (int c = 0; c < a.getNumChannels(); ++c)
        for (int f = 0; f < a.getNumFrames(); ++f)
            if (a.getAudio().getSample (c, f) != b.getAudio().getSample (c, f))
                return false;

    return true;
}

void checkPoints (const SampleData& sample)
{
    const int lastReal = std::max (0, sample.getNumFrames() - 2);

    for (auto point : { SampleData::start, SampleData::end })
    {
        const int value = sample.getParameter (point);
        FUZZ_CHECK (value >= 0 && value <= lastReal);
    }
}

SampleData makeSample (FuzzedDataProvider& input)
{
    SampleData sample;
    const int channels = input.ConsumeIntegralInRange (1, 2);
    const int frames = input.ConsumeIntegralInRange (0, maximumFrames);
    sample.resize (channels, frames, input.PickValueInArray (rates), false);

    for (int c = 0; c < channels; ++c)
        for (int f = 0; f < frames; ++f)
            sample.getAudio().setSample (c, f, (float) input.ConsumeIntegralInRange (-32768, 32767) / 32768.0f);

    sample.setParameter (SampleData::start, input.ConsumeIntegral<int>());
    sample.setParameter (SampleData::end, input.ConsumeIntegral<int>());
    return sample;
}

WaveSelectedStatus makeSelection (FuzzedDataProvider& input, const SampleData& sample)
{
    WaveSelectedStatus selection;
    const int frames = sample.getNumFrames();

    // Mostly near the sample's frames, where the edges are; sometimes anything.
    const bool anywhere = input.ConsumeBool();
    selection.start = anywhere ? input.ConsumeIntegral<int>() : input.ConsumeIntegralInRange (-2, frames + 1);
    selection.end = anywhere ? input.ConsumeIntegral<int>() : input.ConsumeIntegralInRange (-2, frames + 1);
    selection.channelFlags[0] = input.ConsumeBool() ? 1 : 0;
    selection.channelFlags[1] = input.ConsumeBool() ? 1 : 0;
    return selection;
}

void checkEdit (int which, const SampleData& before, const SampleData& after, const WaveSelectedStatus& selection)
{
    const auto count = (juce::int64) selection.end - selection.start + 1;

    if (which == 0)
        FUZZ_CHECK (after.getNumFrames() == (before.getNumFrames() - count <= 1 ? 0 : before.getNumFrames() - count));
    else if (which == 1)
        FUZZ_CHECK (after.getNumFrames() == count + 1);
    else
        FUZZ_CHECK (after.getNumFrames() == before.getNumFrames());

    FUZZ_CHECK (after.getNumChannels() == before.getNumChannels());
}

void editWave (FuzzedDataProvider& input, SampleData& sample)
{
    const int which = input.ConsumeIntegralInRange (0, (int) std::size (operations) - 1);
    const auto selection = makeSelection (input, sample);
    const SampleData before (sample);

    const auto failure = operations[which] (sample, selection);

    if (failure.isNotEmpty())
    {
        FUZZ_CHECK (failure == WaveOperations::invalidSelectionKey);
        FUZZ_CHECK (sameSample (before, sample));
        return;
    }

    checkEdit (which, before, sample, selection);
}

void convertRate (FuzzedDataProvider& input, SampleData& sample)
{
    const auto freeMemory = input.ConsumeIntegralInRange<juce::int64> (-SampleDataFsConverter::bankSampleMemory,
                                                                      SampleDataFsConverter::bankSampleMemory);
    const double target = input.PickValueInArray (rates);
    const SampleData before (sample);

    SampleDataFsConverter converter ([freeMemory] { return freeMemory; });
    const int result = converter.convert (sample, target);

    FUZZ_CHECK (result >= SampleDataFsConverter::converted && result <= SampleDataFsConverter::notEnoughMemory);
    FUZZ_CHECK (result != SampleDataFsConverter::cancelled);

    if (result != SampleDataFsConverter::converted)
    {
        FUZZ_CHECK (sameSample (before, sample));
        return;
    }

    FUZZ_CHECK (sample.getSampleRate() == target || before.getSampleRate() == target);
    FUZZ_CHECK (sample.getNumChannels() == before.getNumChannels());
}
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    // Edits must give the audio a new identity; without the manager every
    // identity would be 0.
    static auto* const bufferIds = AudioBufferIdManager::getInstance();
    (void) bufferIds;

    FuzzedDataProvider input (data, size);
    auto sample = makeSample (input);
    checkPoints (sample);

    for (int edit = 0; edit < maximumEdits && input.remaining_bytes() > 0; ++edit)
    {
        if (input.ConsumeIntegralInRange (0, 3) == 0)
            convertRate (input, sample);
        else
            editWave (input, sample);

        checkPoints (sample);
    }

    return 0;
}

#include "TestSupport.h"

#include "audio/edit/SampleDataFsConverter.h"
#include "data/SampleData.h"

#include <gtest/gtest.h>

namespace
{
SampleData numbered (int frames, double rate, int channels = 1)
{
    SampleData sample;
    sample.resize (channels, frames, rate, false);
    for (int c = 0; c < channels; ++c)
        for (int f = 0; f < frames; ++f)
            sample.getAudio().setSample (c, f, (float) f);
    return sample;
}

std::vector<float> framesOf (const SampleData& sample)
{
    std::vector<float> values;
    for (int f = 0; f < sample.getNumFrames(); ++f)
        values.push_back (sample.getAudio().getSample (0, f));
    return values;
}

SampleDataFsConverter converterWithFree (juce::int64 freeBytes)
{
    return SampleDataFsConverter ([freeBytes] { return freeBytes; });
}
}

TEST (SampleDataFsConverter, DropsAndRepeatsFramesBetweenTheDevicesRates)
{
    TestSupport::ScopedBufferIds ids;
    auto sample = numbered (9, 48000.0);
    auto converter = converterWithFree (0);

    ASSERT_EQ (converter.convert (sample, 12000.0), SampleDataFsConverter::converted);
    EXPECT_EQ (sample.getSampleRate(), 12000.0);
    EXPECT_EQ (framesOf (sample), (std::vector<float> { 0, 4 }));

    ASSERT_EQ (converter.convert (sample, 48000.0), SampleDataFsConverter::converted);
    EXPECT_EQ (sample.getSampleRate(), 48000.0);
    EXPECT_EQ (framesOf (sample), (std::vector<float> { 0, 0, 0, 0, 4, 4, 4, 4 }));
}

TEST (SampleDataFsConverter, ScalesThePointsAndKeepsThemApart)
{
    TestSupport::ScopedBufferIds ids;
    auto sample = numbered (400, 24000.0);
    sample.setParameter (SampleData::start, 100);
    sample.setParameter (SampleData::end, 100);

    ASSERT_EQ (converterWithFree (0).convert (sample, 48000.0), SampleDataFsConverter::converted);
    EXPECT_EQ (sample.getParameter (SampleData::start), 199);
    EXPECT_EQ (sample.getParameter (SampleData::end), 200);
}

TEST (SampleDataFsConverter, TheSameRateChangesNoAudioButSeparatesEqualPoints)
{
    TestSupport::ScopedBufferIds ids;
    auto sample = numbered (10, 24000.0);
    sample.setParameter (SampleData::start, 0);
    sample.setParameter (SampleData::end, 0);
    const int id = sample.getBufferId();

    ASSERT_EQ (converterWithFree (0).convert (sample, 24000.0), SampleDataFsConverter::converted);
    EXPECT_EQ (sample.getBufferId(), id);
    EXPECT_EQ (sample.getParameter (SampleData::start), 0);
    EXPECT_EQ (sample.getParameter (SampleData::end), 1);
}

TEST (SampleDataFsConverter, RefusesWhatTheMemoryRuleForbids)
{
    TestSupport::ScopedBufferIds ids;
    // 6 kHz to 48 kHz multiplies 2 MB (64 granules) by 8: 16 MB. The rule
    // allows free + own 2 MB + a whole bank (15335424 bytes).
    auto sample = numbered (1024 * 1024, 6000.0);
    const juce::int64 ownBytes = 2 * 1024 * 1024;
    const juce::int64 needed = 8 * ownBytes;
    const juce::int64 tightFree = needed - ownBytes - SampleDataFsConverter::bankSampleMemory;

    EXPECT_EQ (converterWithFree (tightFree - 1).convert (sample, 48000.0), SampleDataFsConverter::notEnoughMemory);
    EXPECT_EQ (sample.getSampleRate(), 6000.0);
    EXPECT_EQ (converterWithFree (tightFree).convert (sample, 48000.0), SampleDataFsConverter::converted);
    EXPECT_EQ (sample.getNumFrames(), 8 * 1024 * 1024);
}

TEST (SampleDataFsConverter, Converts44100HzAudioThroughThePipeline)
{
    TestSupport::ScopedBufferIds ids;
    SampleData sample;
    sample.resize (2, 44101, 44100.0, false);
    for (int c = 0; c < 2; ++c)
        juce::FloatVectorOperations::fill (sample.getAudio().getWritePointer (c), 0.5f, 44100);
    sample.setParameter (SampleData::end, 44099);

    ASSERT_EQ (converterWithFree (0).convert (sample, 48000.0), SampleDataFsConverter::converted);
    EXPECT_EQ (sample.getNumFrames(), 48002);
    EXPECT_EQ (sample.getSampleRate(), 48000.0);
    EXPECT_EQ (sample.getParameter (SampleData::end), (int) (48000.0 * 44099 / 44100.0));

    const auto& audio = sample.getAudio();
    // The first 48 input frames fade in, the last 52 output frames fade out.
    EXPECT_LT (std::abs (audio.getSample (0, 0)), 0.02f);
    EXPECT_GT (audio.getSample (0, 30), audio.getSample (0, 10));
    EXPECT_NEAR (audio.getSample (1, 20000), 0.5f, 0.001f);
    EXPECT_GT (audio.getSample (0, 47950), audio.getSample (0, 47990));
    EXPECT_EQ (audio.getSample (0, 48001), 0.0f);
}

TEST (SampleDataFsConverter, ACancelledConversionReportsIt)
{
    TestSupport::ScopedBufferIds ids;
    auto sample = numbered (100, 48000.0);
    auto converter = converterWithFree (0);
    converter.cancel();
    EXPECT_EQ (converter.convert (sample, 24000.0), SampleDataFsConverter::cancelled);

    SampleData cd;
    cd.resize (1, 4411, 44100.0, false);
    auto other = converterWithFree (0);
    other.cancel();
    EXPECT_EQ (other.convert (cd, 48000.0), SampleDataFsConverter::cancelled);
}

TEST (SampleDataFsConverter, RefusesRatesItCannotFilter)
{
    TestSupport::ScopedBufferIds ids;
    for (double rate : { 0.0, 1000000.0 })
    {
        auto sample = numbered (10, rate);
        EXPECT_EQ (converterWithFree (SampleDataFsConverter::bankSampleMemory).convert (sample, 48000.0),
                   SampleDataFsConverter::notPossible) << rate;
        EXPECT_EQ (sample.getNumFrames(), 10);
        EXPECT_EQ (sample.getSampleRate(), rate);
    }
}

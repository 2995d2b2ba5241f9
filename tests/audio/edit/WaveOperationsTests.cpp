#include "TestSupport.h"

#include "audio/edit/WaveOperations.h"
#include "data/SampleData.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace
{
// A mono sample whose frame i holds value i (the last frame is the guard).
SampleData numberedSample (int frames, int channels = 1)
{
    SampleData sample;
    sample.resize (channels, frames, 48000.0, false);
    for (int c = 0; c < channels; ++c)
        for (int f = 0; f < frames; ++f)
            sample.getAudio().setSample (c, f, (float) f + 100.0f * (float) c);
    return sample;
}

std::vector<float> framesOf (const SampleData& sample, int channel = 0)
{
    std::vector<float> values;
    for (int f = 0; f < sample.getNumFrames(); ++f)
        values.push_back (sample.getAudio().getSample (channel, f));
    return values;
}

WaveSelectedStatus selection (int start, int end, bool channel0 = true, bool channel1 = true)
{
    WaveSelectedStatus s;
    s.start = start;
    s.end = end;
    s.channelFlags[0] = channel0 ? 1 : 0;
    s.channelFlags[1] = channel1 ? 1 : 0;
    return s;
}

SampleData constantSample (int frames, float value)
{
    SampleData sample;
    sample.resize (1, frames, 48000.0, false);
    for (int f = 0; f < frames; ++f)
        sample.getAudio().setSample (0, f, value);
    return sample;
}
}

TEST (WaveDelete, RemovesTheSelectionAndKeepsTheGuardFrameLast)
{
    TestSupport::ScopedBufferIds ids;
    auto sample = numberedSample (7);
    sample.setParameter (SampleData::start, 1);
    sample.setParameter (SampleData::end, 4);
    const int oldId = sample.getBufferId();

    WaveOperations::deleteSelection (sample, selection (2, 3));

    EXPECT_EQ (framesOf (sample), (std::vector<float> { 0, 1, 4, 5, 6 }));
    EXPECT_NE (sample.getBufferId(), oldId);
    EXPECT_EQ (sample.getParameter (SampleData::start), 1);   // before the cut: unchanged
    EXPECT_EQ (sample.getParameter (SampleData::end), 2);     // 4 - 2
}

TEST (WaveDelete, PointsInsideTheCutCollapseAndAreSeparated)
{
    auto sample = numberedSample (10);
    sample.setParameter (SampleData::start, 3);
    sample.setParameter (SampleData::end, 4);
    WaveOperations::deleteSelection (sample, selection (2, 5));
    // both points fall to 2, then the start moves down by one
    EXPECT_EQ (sample.getParameter (SampleData::start), 1);
    EXPECT_EQ (sample.getParameter (SampleData::end), 2);
}

TEST (WaveDelete, DeletingTheWholeRealRangeEmptiesTheSample)
{
    auto sample = numberedSample (7, 2);
    sample.setParameter (SampleData::end, 5);
    WaveOperations::deleteSelection (sample, WaveOperations::selectAll (sample));
    EXPECT_EQ (sample.getNumFrames(), 0);
    EXPECT_EQ (sample.getNumChannels(), 2);
    EXPECT_EQ (sample.getParameter (SampleData::start), 0);
    EXPECT_EQ (sample.getParameter (SampleData::end), 0);
}

// Every operation that works on the selection refuses one that does not fit
// the sample's real frames, with its key, and leaves every frame, the points
// and the audio's identity alone.
TEST (WaveOperations, ASelectionOutsideTheRealFramesIsRefusedAndChangesNothing)
{
    TestSupport::ScopedBufferIds ids;
    const std::pair<const char*, WaveOperations::Operation> operations[] = {
        { "delete", WaveOperations::deleteSelection }, { "truncate", WaveOperations::truncate },
        { "silence", WaveOperations::silence },        { "fade in", WaveOperations::fadeIn },
        { "fade out", WaveOperations::fadeOut },
    };
    const WaveSelectedStatus refused[] = {
        selection (5, 2),                     // start after end
        selection (1, 0),
        selection (2, 6),                     // the guard frame
        selection (-1, 2),
        selection (3, 7),                     // past the end
        selection (0, std::numeric_limits<int>::max()),
        selection (std::numeric_limits<int>::min(), std::numeric_limits<int>::max()),
        selection (std::numeric_limits<int>::max(), std::numeric_limits<int>::min()),
    };

    for (const auto& [name, operation] : operations)
    {
        for (const auto& bad : refused)
        {
            auto sample = numberedSample (7, 2);
            sample.setParameter (SampleData::start, 1);
            sample.setParameter (SampleData::end, 4);
            const int id = sample.getBufferId();

            EXPECT_EQ (operation (sample, bad), WaveOperations::invalidSelectionKey) << name << " " << bad.start << ".." << bad.end;
            EXPECT_EQ (sample.getNumFrames(), 7) << name;
            EXPECT_EQ (framesOf (sample, 0), framesOf (numberedSample (7, 2), 0)) << name;
            EXPECT_EQ (framesOf (sample, 1), framesOf (numberedSample (7, 2), 1)) << name;
            EXPECT_EQ (sample.getBufferId(), id) << name;
            EXPECT_EQ (sample.getParameter (SampleData::start), 1) << name;
            EXPECT_EQ (sample.getParameter (SampleData::end), 4) << name;
        }
    }

    // The cutting operations also need a channel; the others do nothing
    // without one, which is no error.
    auto sample = numberedSample (7);
    EXPECT_EQ (WaveOperations::deleteSelection (sample, selection (2, 3, false, false)), WaveOperations::invalidSelectionKey);
    EXPECT_EQ (WaveOperations::truncate (sample, selection (2, 3, false, false)), WaveOperations::invalidSelectionKey);
    EXPECT_EQ (WaveOperations::silence (sample, selection (2, 3, false, false)), "");
    EXPECT_EQ (framesOf (sample), framesOf (numberedSample (7)));
    EXPECT_EQ (WaveOperations::truncate (sample, selection (6, 6)), WaveOperations::invalidSelectionKey);
    EXPECT_EQ (WaveOperations::truncate (sample, selection (5, 5)), "");
}

TEST (WaveTruncate, KeepsTheSelectionAndTheFrameAfterItsLength)
{
    auto sample = numberedSample (7);
    WaveOperations::truncate (sample, selection (2, 3));
    EXPECT_EQ (framesOf (sample), (std::vector<float> { 2, 3, 2 }));
    EXPECT_EQ (sample.getParameter (SampleData::start), 0);
    EXPECT_EQ (sample.getParameter (SampleData::end), 1);
}

TEST (WaveSilence, ClearsOnlyTheFlaggedChannels)
{
    auto sample = numberedSample (6, 2);
    WaveOperations::silence (sample, selection (1, 3, false, true));
    EXPECT_EQ (framesOf (sample, 0), (std::vector<float> { 0, 1, 2, 3, 4, 5 }));
    EXPECT_EQ (framesOf (sample, 1), (std::vector<float> { 100, 0, 0, 0, 104, 105 }));
}

TEST (WaveNormalize, ScalesThePeakOfTheRealFramesToFullScale)
{
    TestSupport::ScopedBufferIds ids;
    auto sample = constantSample (4, 0.1f);
    sample.getAudio().setSample (0, 1, -0.25f);
    sample.getAudio().setSample (0, 3, 0.9f);   // the guard frame does not count for the peak
    WaveOperations::normalize (sample, {});
    EXPECT_EQ (framesOf (sample), (std::vector<float> { 0.1f * 4.0f, -1.0f, 0.1f * 4.0f, 0.9f * 4.0f }));

    auto silent = constantSample (4, 0.0f);
    const int oldId = silent.getBufferId();
    WaveOperations::normalize (silent, {});
    EXPECT_EQ (framesOf (silent), (std::vector<float> { 0, 0, 0, 0 }));
    EXPECT_NE (silent.getBufferId(), oldId);
}

TEST (WaveFades, RampLinearlyOverTheSelection)
{
    auto in = constantSample (5, 1.0f);
    WaveOperations::fadeIn (in, selection (0, 3));
    EXPECT_EQ (framesOf (in), (std::vector<float> { 0.0f, 0.25f, 0.5f, 0.75f, 1.0f }));

    auto out = constantSample (5, 1.0f);
    WaveOperations::fadeOut (out, selection (0, 3));
    EXPECT_EQ (framesOf (out), (std::vector<float> { 0.75f, 0.5f, 0.25f, 0.0f, 1.0f }));
}

TEST (WaveSelection, SelectAllAndPointsRoundTrip)
{
    auto sample = numberedSample (10);
    auto all = WaveOperations::selectAll (sample);
    EXPECT_EQ (all.start, 0);
    EXPECT_EQ (all.end, 8);
    EXPECT_EQ (all.channelFlags[1], 1);

    auto tiny = numberedSample (1);
    auto none = WaveOperations::selectAll (tiny);
    EXPECT_EQ (none.start, -1);
    EXPECT_EQ (none.end, 0);

    sample.setParameter (SampleData::start, 7);
    sample.setParameter (SampleData::end, 2);
    auto between = WaveOperations::selectBetweenPoints (sample);
    EXPECT_EQ (between.start, 2);
    EXPECT_EQ (between.end, 7);

    int start = 0, end = 0;
    EXPECT_FALSE (WaveOperations::pointsForSelection (sample, selection (3, 5, false, false), start, end));
    ASSERT_TRUE (WaveOperations::pointsForSelection (sample, selection (4, 4), start, end));
    EXPECT_EQ (start, 3);
    EXPECT_EQ (end, 4);
    ASSERT_TRUE (WaveOperations::pointsForSelection (sample, selection (0, 0), start, end));
    EXPECT_EQ (start, 0);
    EXPECT_EQ (end, 1);
}

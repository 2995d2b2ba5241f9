#include "audio/pipeline/AudioPlayerInput.h"
#include "audio/pipeline/DynamicControl.h"
#include "data/SampleData.h"

#include <gtest/gtest.h>

#include <vector>

TEST (DynamicControl, StartsNeutralAndPassesAudioUnchanged)
{
    CDynamicControl chain (2);
    EXPECT_TRUE (chain.isNeutral());
    EXPECT_FALSE (chain.getDcCut().isEnabled());
    EXPECT_EQ (chain.getDcCut().getCoefficient(), 1.0f);
    EXPECT_EQ (chain.getPeakDb (0), -200.0f);

    std::vector<float> left { 0.25f, -0.5f, 0.125f }, right { 0.0f, 0.0f, 0.0f };
    float* channels[] = { left.data(), right.data() };
    chain.process (channels, 2, 3);
    EXPECT_EQ (left, (std::vector<float> { 0.25f, -0.5f, 0.125f }));
    EXPECT_NEAR (chain.getPeakDb (0), -6.0206f, 1e-3f);
    EXPECT_EQ (chain.getPeakDb (1), -200.0f);   // silence leaves the meter down

    chain.reset();
    EXPECT_EQ (chain.getPeakDb (0), -200.0f);
}

TEST (DynamicControl, DcCutCoefficientDependsOnTheRate)
{
    CDcCutFilter filter;
    filter.setEnabled (true);
    filter.setSampleRate (48000);
    EXPECT_FLOAT_EQ (filter.getCoefficient(), 0.99987f);
    filter.setSampleRate (2822400);
    EXPECT_FLOAT_EQ (filter.getCoefficient(), 0.9999978f);

    // A constant decays away.
    filter.setSampleRate (48000);
    std::vector<float> constant (100000, 1.0f);
    filter.process (constant.data(), 0, (int) constant.size());
    EXPECT_EQ (constant[0], 1.0f);
    EXPECT_LT (std::abs (constant.back()), 1e-5f);
}

TEST (DynamicControl, GainPanAndFadeMakeTheChainActive)
{
    CDynamicControl chain (2);
    chain.getGain().setGainDb (-6.0206);
    chain.getPan().setPan (0.5);
    EXPECT_FALSE (chain.isNeutral());

    std::vector<float> left (4, 1.0f), right (4, 1.0f);
    float* channels[] = { left.data(), right.data() };
    chain.process (channels, 2, 4);
    EXPECT_NEAR (left[0], 0.25f, 1e-4f);    // half level, panned right by half
    EXPECT_NEAR (right[0], 0.5f, 1e-4f);

    CDynamicControl faded (1);
    faded.getFade().setSampleRate (4);
    faded.getFade().setLength (8);
    faded.getFade().setFadeTimes (1.0, 1.0);   // four frames each
    std::vector<float> ones (8, 1.0f);
    float* mono[] = { ones.data() };
    faded.process (mono, 1, 8);
    EXPECT_EQ (ones, (std::vector<float> { 0.0f, 0.25f, 0.5f, 0.75f, 0.75f, 0.5f, 0.25f, 0.0f }));
}

TEST (AudioPlayerInput, PositionHelpers)
{
    SampleData sample;
    sample.resize (2, 441000, 44100.0, false);
    SampleDataAudioPlayerInput input (&sample);

    EXPECT_EQ (input.getBytesPerSecond(), 2 * 4 * 44100);
    EXPECT_DOUBLE_EQ (input.getLengthInSeconds(), 10.0);
    input.setPositionInPercent (50.0);
    EXPECT_EQ (input.getPosition(), 220500);
    EXPECT_EQ (input.getRemainingFrames(), 220500);
    EXPECT_DOUBLE_EQ (input.getPositionInSeconds(), 5.0);
    input.setPositionInSeconds (20.0);
    EXPECT_EQ (input.getPosition(), 441000);   // clamped to the end

    std::vector<float> a (10), b (10);
    float* destinations[] = { a.data(), b.data() };
    EXPECT_EQ (input.read (destinations, 10, 0), 0);

    const auto time = HoursMinutesSeconds::fromSeconds (3725.5);
    EXPECT_EQ (time.hours, 1);
    EXPECT_EQ (time.minutes, 2);
    EXPECT_DOUBLE_EQ (time.seconds, 5.5);

    std::vector<int16_t> raw (20, 7);
    EXPECT_EQ (input.readRaw16 (raw.data(), 10), 0);
    EXPECT_EQ (raw, std::vector<int16_t> (20, 0));
}

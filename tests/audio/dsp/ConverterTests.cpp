#include "audio/dsp/Converters.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace
{
struct Stereo
{
    explicit Stereo (int frames) : left ((size_t) frames), right ((size_t) frames) {}
    float* const* arrays() { pointers[0] = left.data(); pointers[1] = right.data(); return pointers; }
    std::vector<float> left, right;
    float* pointers[2] {};
};

std::vector<float> convertInBlocks (CConverterDspBase& converter, const std::vector<float>& input,
                                    const std::vector<int>& blocks)
{
    std::vector<float> output (input.size() * 5 + 16);   // room for the largest up factor used here
    size_t consumed = 0, produced = 0;
    for (size_t b = 0; consumed < input.size(); ++b)
    {
        const int n = (int) std::min<size_t> ((size_t) blocks[b % blocks.size()], input.size() - consumed);
        const float* in[] = { input.data() + consumed };
        float* out[] = { output.data() + produced };
        produced += (size_t) converter.process (in, out, n);
        consumed += (size_t) n;
    }
    output.resize (produced);
    return output;
}

// The level a constant 1.0 settles at after passing the converter.
float settledLevel (CConverterDspBase& converter, int inputFrames)
{
    std::vector<float> ones ((size_t) inputFrames, 1.0f);
    const auto out = convertInBlocks (converter, ones, { inputFrames });
    return out.at (out.size() - 1);
}
}

TEST (Converters, FortyFourToFortyEightInBlocksEqualsOneBlock)
{
    std::mt19937 rng (3);
    std::uniform_real_distribution<float> dist (-1.0f, 1.0f);
    std::vector<float> input (147 * 40);
    for (auto& x : input)
        x = dist (rng);

    CConverter44_1kHz_To_48kHz whole (1), pieces (1);
    const auto a = convertInBlocks (whole, input, { (int) input.size() });
    const auto b = convertInBlocks (pieces, input, { 100, 1, 147, 13, 999 });
    EXPECT_EQ (a.size(), 160u * 40u);
    EXPECT_EQ (a, b);

    // After a reset the same input gives the same output.
    whole.reset();
    EXPECT_EQ (convertInBlocks (whole, input, { 512 }), a);
}

TEST (Converters, FactorsAndDelays)
{
    CConverter44_1kHz_To_48kHz up (2);
    EXPECT_EQ (up.getInputFactor(), 147);
    EXPECT_EQ (up.getOutputFactor(), 160);
    EXPECT_EQ (up.getDelay(), 48);   // (15361 / 2) / 160

    CConverter176_4kHz_To_44_1kHz down (2);
    EXPECT_EQ (down.getInputFactor(), 4);
    EXPECT_EQ (down.getOutputFactor(), 1);
    EXPECT_EQ (down.getDelay(), 16 + 96 * 2);

    CConverter2_8MHz_To_48kHz threeStages (2);
    EXPECT_EQ (threeStages.getInputFactor(), 7 * 6 * 7);
    EXPECT_EQ (threeStages.getOutputFactor(), 5);
    // 28 + 68 · 7 + ((673 / 2) / 5) · 42
    EXPECT_EQ (threeStages.getDelay(), 28 + 68 * 7 + 67 * 42);

    CConverterPcmOutputSameRate same (2);
    EXPECT_EQ (same.getInputFactor(), 1);
    EXPECT_EQ (same.getOutputFactor(), 1);
    EXPECT_EQ (same.getDelay(), 0);
}

TEST (Converters, RolloffVariantsRedesignTheSecondStage)
{
    CConverter2_8MHz_To_176_4kHz plain (2);
    CConverter2_8MHz_To_176_4kHz_FastRolloff fast (2);
    CConverter2_8MHz_To_176_4kHz_SlowRolloff slow (2);
    EXPECT_EQ (static_cast<const CDecimationFilter&> (plain.getStage (1)).getNumTaps(), 193);
    EXPECT_EQ (static_cast<const CDecimationFilter&> (fast.getStage (1)).getNumTaps(), 129);
    EXPECT_EQ (static_cast<const CDecimationFilter&> (slow.getStage (1)).getNumTaps(), 49);
    EXPECT_EQ (fast.getDelay(), 52 + 64 * 8);

    CConverter2_8MHz_To_192kHz_SlowRolloff slow192 (2);
    EXPECT_EQ (static_cast<const CFscBase&> (slow192.getStage (1)).getTapsPerPhase(), 44);   // ⌈411 / 10⌉ → 44
}

TEST (Converters, ConstantSettlesAtTheStageGain)
{
    // One-stage converters: about 1.0.
    std::vector<std::unique_ptr<CConverterDspBase>> single;
    single.push_back (std::make_unique<CConverter44_1kHz_To_48kHz> (1));
    single.push_back (std::make_unique<CConverter44_1kHz_To_88_2kHz> (1));
    single.push_back (std::make_unique<CConverter44_1kHz_To_96kHz> (1));
    single.push_back (std::make_unique<CConverter48kHz_To_44_1kHz> (1));
    single.push_back (std::make_unique<CConverter48kHz_To_88_2kHz> (1));
    single.push_back (std::make_unique<CConverter48kHz_To_176_4kHz> (1));
    single.push_back (std::make_unique<CConverter88_2kHz_To_44_1kHz> (1));
    single.push_back (std::make_unique<CConverter88_2kHz_To_48kHz> (1));
    single.push_back (std::make_unique<CConverter96kHz_To_44_1kHz> (1));
    single.push_back (std::make_unique<CConverter176_4kHz_To_48kHz> (1));
    for (size_t i = 0; i < single.size(); ++i)
        EXPECT_NEAR (settledLevel (*single[i], 4000), 1.0f, 1e-4f) << i;

    // Chains whose last stage has +6.0206 dB: about 2.0.
    CConverter2_8MHz_To_176_4kHz oneBit (1);
    EXPECT_NEAR (settledLevel (oneBit, 40000), 2.0f, 1e-3f);
    CConverter2_8MHz_To_48kHz threeStages (1);
    EXPECT_NEAR (settledLevel (threeStages, 200000), 2.0f, 1e-3f);
    CConverter44_1kHz_To_192kHz twoUp (1);
    EXPECT_NEAR (settledLevel (twoUp, 4000), 1.0f, 1e-3f);
}

TEST (Converters, MultiStageConvertersHandleAtMostTwoChannels)
{
    CConverter176_4kHz_To_44_1kHz chain (6);
    EXPECT_EQ (chain.getNumChannels(), 2);
    CConverter44_1kHz_To_48kHz single (12);
    EXPECT_EQ (single.getNumChannels(), 8);

    Stereo in (4096), out (1024);
    std::fill (in.left.begin(), in.left.end(), 0.5f);
    EXPECT_EQ (chain.process (in.arrays(), out.arrays(), 4096), 1024);
}

TEST (Converters, SameRateCopies)
{
    CConverterPcmOutputSameRate same (2);
    Stereo in (10), out (10);
    for (int i = 0; i < 10; ++i)
        in.left[(size_t) i] = (float) i;
    EXPECT_EQ (same.process (in.arrays(), out.arrays(), 10), 10);
    EXPECT_EQ (out.left, in.left);
}

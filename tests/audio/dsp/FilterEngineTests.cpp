#include "audio/dsp/Converters.h"
#include "audio/dsp/FirFilters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#if defined (__x86_64__) || defined (__i386__)
 #include <xmmintrin.h>
#endif

namespace
{
// Channels of test audio with their pointer arrays.
struct Signal
{
    Signal (int channels, int frames) : data ((size_t) channels, std::vector<float> ((size_t) frames, 0.0f))
    {
        for (auto& channel : data)
            pointers.push_back (channel.data());
    }

    static Signal noise (int channels, int frames, unsigned seed = 1)
    {
        Signal s (channels, frames);
        std::mt19937 rng (seed);
        std::uniform_real_distribution<float> dist (-1.0f, 1.0f);
        for (auto& channel : s.data)
            for (auto& x : channel)
                x = dist (rng);
        return s;
    }

    float* const* out() { return pointers.data(); }
    const float* const* in() const { return pointers.data(); }
    std::vector<float>& operator[] (int c) { return data[(size_t) c]; }

    std::vector<std::vector<float>> data;
    std::vector<float*> pointers;
};

std::vector<DspPath> availablePaths()
{
    std::vector<DspPath> paths { DspPath::scalar };
    if (bestDspPath() != DspPath::scalar)
        paths.push_back (DspPath::sse);
    if (bestDspPath() == DspPath::avx2)
        paths.push_back (DspPath::avx2);
    return paths;
}

// Runs an engine over the input in blocks of the given sizes (repeated).
Signal runInBlocks (CFirLpfBase& engine, const Signal& input, int channels, int frames,
                    const std::vector<int>& blockSizes, int outputCapacity, DspPath path)
{
    Signal output (channels, outputCapacity);
    int consumed = 0, produced = 0;
    for (size_t b = 0; consumed < frames; ++b)
    {
        const int n = std::min (blockSizes[b % blockSizes.size()], frames - consumed);
        std::vector<const float*> in;
        std::vector<float*> out;
        for (int c = 0; c < channels; ++c)
        {
            in.push_back (input.data[(size_t) c].data() + consumed);
            out.push_back (output[c].data() + produced);
        }
        produced += engine.processWithPath (path, in.data(), out.data(), n);
        consumed += n;
    }
    for (auto& channel : output.data)
        channel.resize ((size_t) produced);
    return output;
}
}

TEST (DecimationFilter, TapCountsAreMadeOdd)
{
    CDecimationFilter filter (1);
    filter.setupDecimation (34, 88200, 22050, 0.0, 2);
    EXPECT_EQ (filter.getNumTaps(), 33);
    EXPECT_EQ (filter.getDelay(), 16);
    filter.setupDecimation (193, 88200, 22050, 0.0, 2);
    EXPECT_EQ (filter.getNumTaps(), 193);
    filter.setupDecimation (200, 88200, 22050, 0.0, 2);
    EXPECT_EQ (filter.getNumTaps(), 201);
    filter.setupDecimation (600, 88200, 22050, 0.0, 2);
    EXPECT_EQ (filter.getNumTaps(), 511);   // the most the ring holds
    EXPECT_EQ (filter.getDownFactor(), 2);
    EXPECT_EQ (filter.getUpFactor(), 1);
}

TEST (DecimationFilter, FirstOutputIsDueAtTheFirstInput)
{
    CDecimationFilter filter (1);
    filter.setAttenuation (120.0);
    filter.setupDecimation (33, 176400, 42000, 0.0, 4);

    // An impulse: output k sees it 4k inputs ago, i.e. coefficient N − 1 − 4k.
    Signal impulse (1, 40);
    impulse[0][0] = 1.0f;
    Signal out (1, 10);
    ASSERT_EQ (filter.process (impulse.in(), out.out(), 40), 10);
    for (int k = 0; k < 9; ++k)
        EXPECT_NEAR (out[0][(size_t) k], filter.getCoefficient (32 - 4 * k), 1e-7) << k;
    EXPECT_EQ (out[0][9], 0.0f);

    // ⌈n / M⌉ outputs over a run, however it is cut.
    filter.reset();
    EXPECT_EQ (filter.process (impulse.in(), out.out(), 5), 2);
    EXPECT_EQ (filter.process (impulse.in(), out.out(), 3), 0);
    EXPECT_EQ (filter.process (impulse.in(), out.out(), 1), 1);
}

TEST (DecimationFilter, WorksInPlaceAndSettlesAtItsGain)
{
    CDecimationFilter filter (2);
    filter.setAttenuation (120.0);
    filter.setupDecimation (193, 88200, 22050, ConverterStage::doubleGainDb, 2);

    Signal signal (2, 1000);
    for (auto& channel : signal.data)
        std::fill (channel.begin(), channel.end(), 1.0f);
    ASSERT_EQ (filter.process (signal.in(), signal.out(), 1000), 500);
    EXPECT_NEAR (signal[0][499], 2.0f, 1e-4);
    EXPECT_NEAR (signal[1][300], 2.0f, 1e-4);
}

TEST (FilterEngines, BlocksOfAnySizeGiveTheSameResultAsOneBlock)
{
    const int frames = 5000;
    const auto input = Signal::noise (2, frames);
    const auto path = bestDspPath();

    auto check = [&] (auto makeEngine, int capacity)
    {
        auto whole = makeEngine();
        auto pieces = makeEngine();
        const auto a = runInBlocks (*whole, input, 2, frames, { frames }, capacity, path);
        const auto b = runInBlocks (*pieces, input, 2, frames, { 1, 7, 300, 2, 1023, 64 }, capacity, path);
        EXPECT_EQ (a.data, b.data);
        return a.data[0].size();
    };

    EXPECT_EQ (check ([] { auto e = std::make_unique<CDecimationFilter> (2);
                           e->setupDecimation (105, 2822400, 158500, 0.0, 8); return e; }, frames), 625u);
    EXPECT_EQ (check ([] { auto e = std::make_unique<CFsConverter> (2);
                           e->setupPolyphase (15361, 44100, 22050, 160, 147, 0.0); return e; }, 6000), 5443u);
    EXPECT_EQ (check ([] { auto e = std::make_unique<COversamplingFilter> (2);
                           e->setupPolyphase (193, 44100, 22050, 2, 1, 0.0); return e; }, 10000), 10000u);
    EXPECT_EQ (check ([] { auto e = std::make_unique<CFsCwInterpolation> (2);
                           e->setupVariableRatio (384, 48000, 22000, 16, 44100); return e; }, 6000), 4594u);
}

TEST (FilterEngines, ScalarAndVectorPathsAgreeUpToRounding)
{
    // Stereo, so that the two-channel kernels run too.
    const int frames = 3000;
    const auto input = Signal::noise (2, frames, 7);

    auto compare = [&] (auto makeEngine)
    {
        auto reference = makeEngine();
        const auto expected = runInBlocks (*reference, input, 2, frames, { 500 }, 4 * frames, DspPath::scalar);
        for (auto path : availablePaths())
        {
            auto engine = makeEngine();
            const auto actual = runInBlocks (*engine, input, 2, frames, { 500 }, 4 * frames, path);
            for (size_t c = 0; c < 2; ++c)
            {
                ASSERT_EQ (actual.data[c].size(), expected.data[c].size());
                for (size_t i = 0; i < expected.data[c].size(); ++i)
                    ASSERT_NEAR (actual.data[c][i], expected.data[c][i], 2e-5f) << "path " << (int) path << " frame " << i;
            }
        }
    };

    compare ([] { auto e = std::make_unique<CDecimationFilter> (2); e->setupDecimation (193, 88200, 22050, 0.0, 2); return e; });
    compare ([] { auto e = std::make_unique<CDecimationFilter> (2); e->setupDecimation (33, 176400, 42000, 0.0, 2); return e; });
    compare ([] { auto e = std::make_unique<CFsConverter> (2); e->setupPolyphase (15361, 44100, 22050, 160, 147, 0.0); return e; });
    compare ([] { auto e = std::make_unique<COversamplingFilter> (2); e->setupPolyphase (33, 88200, 42000, 2, 1, 0.0); return e; });
    compare ([] { auto e = std::make_unique<CFsCwInterpolation> (2); e->setupVariableRatio (96, 176400, 40000, 4, 192000); return e; });
}

TEST (FilterEngines, PolyphaseTablesHoldEveryLthTap)
{
    CFsConverter engine (1);
    engine.setAttenuation (120.0);
    engine.setupPolyphase (15361, 44100, 22050, 160, 147, 0.0);

    EXPECT_EQ (engine.getTapsPerPhase(), 100);   // ⌈15361 / 160⌉ = 97, padded to 100
    EXPECT_EQ (engine.getUpFactor(), 160);
    EXPECT_EQ (engine.getDownFactor(), 147);
    EXPECT_EQ (engine.getDelay(), 48);

    COversamplingFilterCoeffs coeffs;
    coeffs.setAttenuation (120.0);
    coeffs.setLength (15361);
    coeffs.setSampleRate (44100);
    coeffs.setUpFactor (160.0);
    coeffs.setCutoff (22050);

    for (int j : { 0, 1, 80, 159, 160 })
        for (int k : { 0, 1, 47, 48, 95 })
            EXPECT_FLOAT_EQ (engine.getPhaseTable (j)[k], (float) coeffs.getValue (j + 160 * k)) << j << " " << k;
    EXPECT_EQ (engine.getPhaseTable (1)[96], 0.0f);        // tap 15361 does not exist
    EXPECT_EQ (engine.getPhaseTable (0)[99], 0.0f);        // padding

    // Each phase sums to about the gain of 1.
    for (int j : { 0, 37, 159 })
    {
        double sum = 0.0;
        for (int k = 0; k < 100; ++k)
            sum += engine.getPhaseTable (j)[k];
        EXPECT_NEAR (sum, 1.0, 1e-4);
    }
}

TEST (FilterEngines, UpFactorIsClampedTo511)
{
    CFsConverter engine (1);
    engine.setupPolyphase (2048, 44100, 20000, 1000, 999, 0.0);
    EXPECT_EQ (engine.getUpFactor(), 511);
    EXPECT_EQ (engine.getNumPhases(), 511);
}

TEST (FilterEngines, VariableRatioGridHasFourteenFractionBits)
{
    CFsCwInterpolation engine (2);
    engine.setAttenuation (85.0);
    engine.setupVariableRatio (384, 48000, 22000, 16, 44100);
    EXPECT_EQ (engine.getUpFactor(), 16 * 16384);
    EXPECT_EQ (engine.getDownFactor(), (int) (48000.0 * 16 / 44100 * 16384));
    EXPECT_EQ (engine.getNumPhases(), 16);

    // A constant settles at 1.
    Signal ones (2, 4000);
    for (auto& channel : ones.data)
        std::fill (channel.begin(), channel.end(), 1.0f);
    Signal out (2, 4000);
    const int produced = engine.process (ones.in(), out.out(), 4000);
    EXPECT_NEAR (produced, 4000 * 44100 / 48000, 1);
    EXPECT_NEAR (out[1][(size_t) produced - 1], 1.0f, 1e-3);
}

#if defined (__x86_64__) || defined (__i386__)
TEST (FilterEngines, FloatingPointStateIsSetForTheCallAndRestored)
{
    EXPECT_EQ (ScopedDspFloatState::controlWordFor (DspPath::scalar) & 0x6000u, 0x6000u);   // toward zero
    EXPECT_EQ (ScopedDspFloatState::controlWordFor (DspPath::scalar) & 0x1F80u, 0x1F80u);   // all masked
    EXPECT_EQ (ScopedDspFloatState::controlWordFor (DspPath::scalar) & 0x8000u, 0u);
    EXPECT_EQ (ScopedDspFloatState::controlWordFor (DspPath::sse) & 0x8000u, 0x8000u);      // flush to zero

    const unsigned int original = _mm_getcsr();
    const unsigned int unusual = (original & ~0x6000u) | 0x2000u;   // round down
    _mm_setcsr (unusual);

    {
        const ScopedDspFloatState state (DspPath::sse);
        EXPECT_EQ (_mm_getcsr() & 0xE000u, 0xE000u);
    }
    EXPECT_EQ (_mm_getcsr(), unusual);

    CDecimationFilter filter (1);
    filter.setupDecimation (33, 88200, 20000, 0.0, 2);
    const auto input = Signal::noise (1, 100);
    Signal out (1, 100);
    // The control bits come back; the sticky status flags (low six bits)
    // may have been raised by the test's own arithmetic.
    constexpr unsigned int controlBits = ~0x3Fu;
    for (auto path : availablePaths())
    {
        filter.processWithPath (path, input.in(), out.out(), 100);
        EXPECT_EQ (_mm_getcsr() & controlBits, unusual & controlBits);
    }

    _mm_setcsr (original);
}
#endif

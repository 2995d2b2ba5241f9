#include "audio/pipeline/AudioFileConverter.h"
#include "data/SampleData.h"

#include <benchmark/benchmark.h>
#include <samplerate.h>
#include <soxr.h>

#include <cmath>
#include <vector>

// One minute of stereo 44.1 kHz audio converted to 48 kHz: ours through the
// conversion pipeline, and two other resamplers at their best qualities.
// Each reports input frames per second.
namespace
{
constexpr int inputRate = 44100;
constexpr int outputRate = 48000;
constexpr int inputFrames = inputRate * 60;
constexpr int outputFrames = (int) ((long long) inputFrames * outputRate / inputRate) + 1;

float testSignal (int channel, int frame)
{
    const double t = (double) frame / inputRate;
    return (float) (0.4 * std::sin (2.0 * M_PI * 997.0 * t + channel) + 0.2 * std::sin (2.0 * M_PI * 15011.0 * t));
}

const SampleData& sourceSample()
{
    static const SampleData sample = [] {
        SampleData s;
        s.resize (2, inputFrames, inputRate, false);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < inputFrames; ++i)
                s.getAudio().setSample (c, i, testSignal (c, i));
        return s;
    }();
    return sample;
}

const std::vector<float>& interleavedSource()
{
    static const std::vector<float> frames = [] {
        std::vector<float> v ((size_t) inputFrames * 2);
        for (int i = 0; i < inputFrames; ++i)
            for (int c = 0; c < 2; ++c)
                v[(size_t) i * 2 + (size_t) c] = testSignal (c, i);
        return v;
    }();
    return frames;
}

void reportFrames (benchmark::State& state)
{
    state.counters["frames_per_second"] = benchmark::Counter ((double) inputFrames * (double) state.iterations(),
                                                              benchmark::Counter::kIsRate);
}

void BM_Resample44To48_Plovara (benchmark::State& state)
{
    const auto& source = sourceSample();
    SampleData destination;
    destination.resize (2, outputFrames, outputRate, false);
    for (auto _ : state)
    {
        SampleDataAudioPlayerInput input (&source);
        SampleDataAudioRecorderOutput output (&destination);
        CAudioFileConverterPcmOutput pipeline (2);
        if (! pipeline.start (&input, &output))
            state.SkipWithError ("no converter");
        pipeline.run();
        benchmark::DoNotOptimize (output.getFramesWritten());
    }
    reportFrames (state);
}

void BM_Resample44To48_LibsamplerateBest (benchmark::State& state)
{
    const auto& in = interleavedSource();
    std::vector<float> out ((size_t) outputFrames * 2 + 64);
    for (auto _ : state)
    {
        SRC_DATA data {};
        data.data_in = in.data();
        data.input_frames = inputFrames;
        data.data_out = out.data();
        data.output_frames = (long) out.size() / 2;
        data.src_ratio = (double) outputRate / inputRate;
        if (src_simple (&data, SRC_SINC_BEST_QUALITY, 2) != 0)
            state.SkipWithError ("conversion failed");
        benchmark::DoNotOptimize (data.output_frames_gen);
    }
    reportFrames (state);
}

void resampleWithSoxr (benchmark::State& state, unsigned long quality)
{
    const auto& in = interleavedSource();
    std::vector<float> out ((size_t) outputFrames * 2 + 64);
    const soxr_io_spec_t io = soxr_io_spec (SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t q = soxr_quality_spec (quality, 0);
    const soxr_runtime_spec_t runtime = soxr_runtime_spec (1);
    for (auto _ : state)
    {
        size_t done = 0;
        if (soxr_oneshot (inputRate, outputRate, 2, in.data(), (size_t) inputFrames, nullptr,
                          out.data(), out.size() / 2, &done, &io, &q, &runtime) != nullptr)
            state.SkipWithError ("conversion failed");
        benchmark::DoNotOptimize (done);
    }
    reportFrames (state);
}

void BM_Resample44To48_SoxrVeryHigh (benchmark::State& state) { resampleWithSoxr (state, SOXR_VHQ); }
void BM_Resample44To48_SoxrHigh (benchmark::State& state) { resampleWithSoxr (state, SOXR_HQ); }
}

BENCHMARK (BM_Resample44To48_Plovara)->Unit (benchmark::kMillisecond)->Iterations (5);
BENCHMARK (BM_Resample44To48_LibsamplerateBest)->Unit (benchmark::kMillisecond)->Iterations (2);
BENCHMARK (BM_Resample44To48_SoxrVeryHigh)->Unit (benchmark::kMillisecond)->Iterations (5);
BENCHMARK (BM_Resample44To48_SoxrHigh)->Unit (benchmark::kMillisecond)->Iterations (5);

#include "data/SampleData.h"

#include <benchmark/benchmark.h>

// Writing and reading back a sample chunk of one minute of stereo audio.
static void BM_SampleChunkRoundTrip (benchmark::State& state)
{
    SampleData sample;
    sample.resize (2, 48000 * 60, 48000.0, false);
    for (int c = 0; c < 2; ++c)
        for (int f = 0; f < sample.getNumFrames(); ++f)
            sample.getAudio().setSample (c, f, (float) std::sin (f * 0.01 + c));

    for (auto _ : state)
    {
        juce::MemoryOutputStream out;
        sample.writeTo (out);
        juce::MemoryInputStream in (out.getData(), out.getDataSize(), false);
        SampleData back;
        back.readFrom (in);
        benchmark::DoNotOptimize (back.getNumFrames());
    }
    state.SetBytesProcessed (state.iterations() * (int64_t) sample.getPcmByteCount());
}
BENCHMARK (BM_SampleChunkRoundTrip)->Unit (benchmark::kMillisecond);

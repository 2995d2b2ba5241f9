#include "data/SequenceData.h"

#include <benchmark/benchmark.h>

// Writing and reading back a pattern set of 16 patterns of the largest size.
static void BM_SequenceSetRoundTrip (benchmark::State& state)
{
    SequenceSet set;
    for (int i = 0; i < SequenceSet::numPatterns; ++i)
        set.getPattern (i)->setSize (SequenceData::maximumSize);

    for (auto _ : state)
    {
        juce::MemoryOutputStream out;
        set.writeTo (out);
        juce::MemoryInputStream in (out.getData(), out.getDataSize(), false);
        SequenceSet back;
        back.readFrom (in);
        benchmark::DoNotOptimize (back.getMemoryUsed());
    }
    state.SetBytesProcessed (state.iterations() * (int64_t) set.getChunkSize());
}
BENCHMARK (BM_SequenceSetRoundTrip)->Unit (benchmark::kMicrosecond);

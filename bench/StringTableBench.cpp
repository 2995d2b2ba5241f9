#include "resources/CZQVResource.h"
#include "resources/ResourceLanguage.h"

#include <benchmark/benchmark.h>

// Parsing the message table, as the program does once at start-up.
static void BM_LoadMessageTable (benchmark::State& state)
{
    for (auto _ : state)
    {
        CZQVResource table (ResourceLanguage::japanese);
        benchmark::DoNotOptimize (table.isLoaded());
    }
}
BENCHMARK (BM_LoadMessageTable)->Unit (benchmark::kMicrosecond);

// Looking up one of the last keys of the table, as views do on every refresh.
static void BM_LookUpText (benchmark::State& state)
{
    const CZQVResource table (ResourceLanguage::english);
    const juce::String key ("Error_NoFreeMemoryToFsConvert_Detail1");

    for (auto _ : state)
        benchmark::DoNotOptimize (table.getText (key));
}
BENCHMARK (BM_LookUpText);

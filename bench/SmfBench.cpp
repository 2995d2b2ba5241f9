#include "data/SequenceData.h"
#include "data/smf/SequenceDataImporter.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace
{
// A format-1 file of 16 tracks at 960 ticks per quarter note, each with a
// short note on every eighth note of 99 measures, on the two pattern
// channels and on channels the import drops.
std::vector<uint8_t> busySong()
{
    constexpr int division = 960;
    constexpr int numTracks = 16;
    std::vector<uint8_t> smf { 'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, numTracks, division >> 8, division & 0xFF };

    for (int t = 0; t < numTracks; ++t)
    {
        std::vector<uint8_t> track;
        for (int i = 0; i < 99 * 8; ++i)
        {
            // 0x83 0x60 is 480 ticks: on after the previous off, off a quarter later.
            const uint8_t note = (uint8_t) (36 + (i + t) % 48);
            track.insert (track.end(), { 0x00, (uint8_t) (0x90 | (t % 4)), note, 100,
                                         0x83, 0x60, note, 0x00 });
        }
        track.insert (track.end(), { 0x00, 0xFF, 0x2F, 0x00 });

        const auto length = (uint32_t) track.size();
        smf.insert (smf.end(), { 'M', 'T', 'r', 'k', (uint8_t) (length >> 24), (uint8_t) (length >> 16),
                                 (uint8_t) (length >> 8), (uint8_t) length });
        smf.insert (smf.end(), track.begin(), track.end());
    }
    return smf;
}

void importBusySong (benchmark::State& state)
{
    const auto smf = busySong();

    for (auto _ : state)
    {
        SequenceData pattern;
        SequenceDataImporter importer;
        benchmark::DoNotOptimize (importer.importSmf (smf.data(), smf.size(), pattern, 0, 1));
    }
}
}

BENCHMARK (importBusySong)->Unit (benchmark::kMillisecond);

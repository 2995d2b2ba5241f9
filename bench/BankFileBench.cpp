#include "PeakMemory.h"
#include "data/AllData.h"
#include "data/DataFile.h"

#include <benchmark/benchmark.h>

#include <cmath>


namespace
{
// 36 stereo samples filling the whole sample memory and 16 patterns filling
// the whole pattern memory.
void fillBank (BankData& bank)
{
    constexpr int framesPerSample = (int) (BankMemory::sampleMemorySize / SampleSet::numSamples / 4);
    constexpr int patternSize = (int) (BankMemory::patternMemorySize / SequenceSet::numPatterns) - 2049;

    for (int i = 0; i < SampleSet::numSamples; ++i)
    {
        auto& sample = bank.getSample (i);
        sample.resize (2, framesPerSample, 48000.0, false);
        for (int c = 0; c < 2; ++c)
            for (int f = 0; f < framesPerSample; ++f)
                sample.getAudio().setSample (c, f, 0.8f * (float) std::sin (f * 0.01 + c + i));
    }

    for (int i = 0; i < SequenceSet::numPatterns; ++i)
        bank.getPattern (i)->setSize (patternSize);
}

juce::File benchFolder()
{
    auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("plovara-bench");
    folder.createDirectory();
    return folder;
}

}

// Writing a full bank to a file and reading it back.
static void BM_FullBankFileRoundTrip (benchmark::State& state)
{
    BankData bank;
    fillBank (bank);
    const auto file = benchFolder().getChildFile ("full.plvr_bank");

    for (auto _ : state)
    {
        DataFile::write (bank, file);
        juce::FileInputStream in (file);
        BankData back;
        back.readFrom (in);
        benchmark::DoNotOptimize (back.getFreeSampleMemory());
    }
    state.SetBytesProcessed (state.iterations() * (int64_t) bank.getChunkSize());
    file.deleteFile();
}
BENCHMARK (BM_FullBankFileRoundTrip)->Unit (benchmark::kMillisecond);

// The same number of bytes written to a plain file and read back: what the
// bank round trip costs without encoding and decoding.
static void BM_PlainFileRoundTripOfAFullBanksSize (benchmark::State& state)
{
    BankData bank;
    fillBank (bank);
    juce::MemoryBlock bytes ((size_t) bank.getChunkSize(), true);
    const auto file = benchFolder().getChildFile ("plain.bin");

    for (auto _ : state)
    {
        file.replaceWithData (bytes.getData(), bytes.getSize());
        juce::MemoryBlock back;
        file.loadFileAsData (back);
        benchmark::DoNotOptimize (back.getData());
    }
    state.SetBytesProcessed (state.iterations() * (int64_t) bytes.getSize());
    file.deleteFile();
}
BENCHMARK (BM_PlainFileRoundTripOfAFullBanksSize)->Unit (benchmark::kMillisecond);

// Writing and reading a bank memory backup of eight full banks; the banks
// pass through the swap files, so the peak memory stays near two banks.
static void BM_FullAllDataFileRoundTrip (benchmark::State& state)
{
    const auto file = benchFolder().getChildFile ("full.plvr_all");
    AllData all;
    {
        BankData bank;
        fillBank (bank);
        for (int i = 0; i < BankSet::numBanks; ++i)
            all.getBankSet().storeFrom (i, bank);
    }

    PeakMemory::reset();

    for (auto _ : state)
    {
        DataFile::write (all, file);
        juce::FileInputStream in (file);
        AllData back;
        back.readFrom (in);
        benchmark::DoNotOptimize (back.getBankSet().allFit());
    }
    state.SetBytesProcessed (state.iterations() * file.getSize());
    state.counters["peakMemoryMB"] = PeakMemory::peakMegabytes();
    file.deleteFile();
}
BENCHMARK (BM_FullAllDataFileRoundTrip)->Unit (benchmark::kMillisecond);

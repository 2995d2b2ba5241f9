#include "PeakMemory.h"
#include "app/UserFolders.h"
#include "data/AudioBuffer.h"
#include "data/DataCenter.h"
#include "data/SwapFolder.h"
#include "history/SampleAudioActions.h"
#include "history/TransactionNames.h"
#include "resources/StringTable.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
// A data center of its own, with its settings and swap files in a
// temporary folder, installed for the actions.
struct HistoryBench
{
    HistoryBench()
    {
        folder.createDirectory();
        UserFolders::overrideApplicationDataFolder (folder);
        SwapFolder::overrideBaseFolder (folder.getChildFile ("swap"));
        center = std::make_unique<DataCenter> (strings);
        context.dataCenter = center.get();
        ActionContext::setCurrent (&context);
    }

    ~HistoryBench()
    {
        ActionContext::setCurrent (nullptr);
        center.reset();
        SwapFolder::overrideBaseFolder ({});
        UserFolders::overrideApplicationDataFolder ({});
        folder.deleteRecursively();
        AudioBufferIdManager::releaseInstance();
    }

    // Stereo at 48 kHz, as long as the bank's whole sample memory allows.
    SampleData& fillWithLargestSample()
    {
        constexpr int frames = (int) (BankMemory::sampleMemorySize / 4);
        auto& sample = center->getEditBank().getSample (0);
        sample.resize (2, frames, 48000.0, false);

        for (int c = 0; c < 2; ++c)
            for (int f = 0; f < frames; ++f)
                sample.getAudio().setSample (c, f, 0.8f * (float) std::sin (f * 0.01 + c));

        return sample;
    }

    bool convert (int rate)
    {
        history.beginNewTransaction (TransactionNames::fsConvert);
        return history.perform (new FsConvertAction (0, rate));
    }

    int countUndoSteps()
    {
        int steps = 0;
        while (history.undo())
            ++steps;
        while (history.redo()) {}
        return steps;
    }

    AudioBufferIdManager* ids = AudioBufferIdManager::getInstance();
    juce::File folder = juce::File::createTempFile ("plovara-history-bench");
    StringTable strings { "ParameterStrings" };
    std::unique_ptr<DataCenter> center;
    ActionContext context;
    juce::UndoManager history { 10000000, 1 };
};
}

// Undo and redo of a conversion to 24 kHz of a sample that fills the whole
// sample memory of a bank (15335424 bytes of 16-bit PCM). One iteration is
// one undo and one redo; the redo converts again.
static void BM_FsConvertUndoRedoOfTheLargestSample (benchmark::State& state)
{
    HistoryBench bench;
    bench.fillWithLargestSample();
    PeakMemory::reset();
    state.counters["memoryBeforeMB"] = PeakMemory::residentMegabytes();

    if (! bench.convert (24000))
    {
        state.SkipWithError ("the conversion was refused");
        return;
    }

    state.counters["unitsOfTheStep"] = bench.history.getNumberOfUnitsTakenUpByStoredCommands();

    for (auto _ : state)
    {
        bench.history.undo();
        bench.history.redo();
    }

    state.SetBytesProcessed (state.iterations() * 2 * BankMemory::sampleMemorySize);
    state.counters["peakMemoryMB"] = PeakMemory::peakMegabytes();
}
BENCHMARK (BM_FsConvertUndoRedoOfTheLargestSample)->Unit (benchmark::kMillisecond);

// The history's limit of 10 million units: a step larger than the limit is
// kept as the only one, and each further conversion (24, 12, then 6 kHz)
// pushes out the older steps until the units fit or one step is left.
static void BM_FsConvertHistoryStaysWithinItsUnits (benchmark::State& state)
{
    for (auto _ : state)
    {
        HistoryBench bench;
        bench.fillWithLargestSample();
        PeakMemory::reset();

        for (int rate : { 24000, 12000, 6000 })
        {
            bench.convert (rate);
            const auto label = std::to_string (rate / 1000) + "k";
            state.counters["units" + label] = bench.history.getNumberOfUnitsTakenUpByStoredCommands();
            state.counters["steps" + label] = bench.countUndoSteps();
        }

        state.counters["peakMemoryMB"] = PeakMemory::peakMegabytes();
    }
}
BENCHMARK (BM_FsConvertHistoryStaysWithinItsUnits)->Unit (benchmark::kMillisecond)->Iterations (1);

#include "app/SingletonReference.h"
#include "commands/CommandContext.h"
#include "files/FileFormatManager.h"
#include "gui/browser/BrowserComponent.h"
#include "gui/widgets/ImageResourceManager.h"
#include "resources/CZQVResource.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <benchmark/benchmark.h>

namespace
{
// The browser asks nothing of the program while it only scans and paints.
struct NoServices : CommandContext
{
    DataCenter* getDataCenter() const override { return nullptr; }
    juce::UndoManager* getUndoManager() const override { return nullptr; }
    AudioPlayerManager* getPlayerManager() const override { return nullptr; }
    UsbSessionManager* getSessionManager() const override { return nullptr; }
    FileManager* getFileManager() const override { return nullptr; }
    CommandGui* getCommandGui() const override { return nullptr; }
    ReceiveBankSelectionState* getReceiveSelection() const override { return nullptr; }
    WriteBankSelectionState* getWriteSelection() const override { return nullptr; }
    int getCurrentPattern() const override { return 0; }
    void setCurrentPattern (int) override {}
    const WaveSelectedStatus& getWaveSelection() const override { return selection; }
    void setWaveSelection (const WaveSelectedStatus&) override {}
    void clearWaveSelectionFlags() override {}
    void setCurrentSample (int) override {}
    void setCurrentPage (int) override {}
    void quitApplication() override {}
    WaveGraphViewInfo& getWaveView() override { return view; }

    WaveSelectedStatus selection;
    WaveGraphViewInfo view;
};

// A folder of 10,000 empty files of the listed kinds (the scan reads names
// and sizes only).
struct LargeFolder
{
    static constexpr int numFiles = 10000;

    LargeFolder()
    {
        const char* const extensions[] = { ".wav", ".aif", ".plvr_sample", ".mid", ".plvr_bank" };
        folder.createDirectory();
        for (int i = 0; i < numFiles; ++i)
            folder.getChildFile ("Take" + juce::String (i).paddedLeft ('0', 5) + extensions[i % 5]).create();
    }

    ~LargeFolder() { folder.deleteRecursively(); }

    const juce::File folder = juce::File::createTempFile ("plovara-browser-bench");
};

// Time from creating the browser on the folder to its first painted rows;
// the scan goes on after that. Counters: the time until all files are
// listed, and the longest the message loop was kept from running meanwhile.
void BM_BrowserFirstPaintOfALargeFolder (benchmark::State& state)
{
    const SingletonReference<FileFormatManager> formats;
    const SingletonReference<CZQVResource> resources;
    const SingletonReference<ImageResourceManager> images;
    const LargeFolder large;
    NoServices services;
    double scanMs = 0.0, longestStallMs = 0.0;

    for (auto _ : state)
    {
        const auto start = juce::Time::getMillisecondCounterHiRes();
        BrowserComponent browser (services);
        browser.setRootFolder (large.folder);
        browser.setSize (234, 540);

        auto& root = *browser.getTree()->getRootItem();
        while (root.getNumSubItems() == 0)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
        benchmark::DoNotOptimize (browser.createComponentSnapshot (browser.getLocalBounds()));

        state.PauseTiming();
        while (root.getNumSubItems() < LargeFolder::numFiles || browser.getTree()->getContents().isStillLoading())
        {
            const auto before = juce::Time::getMillisecondCounterHiRes();
            juce::MessageManager::getInstance()->runDispatchLoopUntil (1);
            longestStallMs = juce::jmax (longestStallMs, juce::Time::getMillisecondCounterHiRes() - before - 1.0);
        }
        scanMs = juce::Time::getMillisecondCounterHiRes() - start;
        state.ResumeTiming();
    }

    state.counters["full_scan_ms"] = scanMs;
    state.counters["longest_stall_ms"] = longestStallMs;
}
BENCHMARK (BM_BrowserFirstPaintOfALargeFolder)->Unit (benchmark::kMillisecond)->Iterations (3);
}

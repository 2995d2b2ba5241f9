#include "app/UserFolders.h"
#include "commands/CommandContext.h"
#include "data/SwapFolder.h"
#include "gui/main/GuiController.h"
#include "gui/main/Host.h"
#include "gui/main/MainWindow.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <benchmark/benchmark.h>

namespace
{
// The settings and swap files of the benchmarks in a folder of their own.
struct BenchFolders
{
    BenchFolders()
    {
        folder.createDirectory();
        UserFolders::overrideApplicationDataFolder (folder);
        SwapFolder::overrideBaseFolder (folder.getChildFile ("swap"));
    }

    ~BenchFolders()
    {
        SwapFolder::overrideBaseFolder ({});
        UserFolders::overrideApplicationDataFolder ({});
        folder.deleteRecursively();
    }

    juce::File folder = juce::File::createTempFile ("plovara-bench");
};

// The editor's start as initialise makes it: the services, the main window
// on the sample page, and its first paint.
MainWindow* startEditor()
{
    auto* host = Host::getInstance();
    host->createMainWindow();
    host->setCurrentPage (CommandGui::samplePage);
    return host->getGuiController()->getMainWindow();
}

juce::Image paintWindow (MainWindow& window)
{
    return window.createComponentSnapshot (window.getLocalBounds(), true, 1.0f);
}

// Goal: 1.5 s.
void BM_StartToFirstPaintedMainWindow (benchmark::State& state)
{
    const BenchFolders folders;

    for (auto _ : state)
    {
        auto* window = startEditor();
        benchmark::DoNotOptimize (paintWindow (*window));

        state.PauseTiming();
        Host::releaseInstance();
        state.ResumeTiming();
    }
}
BENCHMARK (BM_StartToFirstPaintedMainWindow)->Unit (benchmark::kMillisecond)->Iterations (5);

// Goal: 16 ms, one frame.
void BM_FullMainWindowRepaint (benchmark::State& state)
{
    const BenchFolders folders;
    auto* window = startEditor();

    for (auto _ : state)
        benchmark::DoNotOptimize (paintWindow (*window));

    Host::releaseInstance();
}
BENCHMARK (BM_FullMainWindowRepaint)->Unit (benchmark::kMillisecond);
}

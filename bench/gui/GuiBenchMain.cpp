#include "gui/main/WindowManagerAtoms.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <benchmark/benchmark.h>

// The framework's message thread is this thread, as in the program.
int main (int argc, char** argv)
{
    benchmark::Initialize (&argc, argv);
    WindowManagerAtoms::ensureExist();
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

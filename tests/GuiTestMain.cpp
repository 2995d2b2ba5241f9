#include "TestSupport.h"
#include "gui/main/WindowManagerAtoms.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);

    // The framework's message thread is this thread, as in the program.
    WindowManagerAtoms::ensureExist();
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    return RUN_ALL_TESTS();
}

#include <juce_events/juce_events.h>

#include <gtest/gtest.h>

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);

    // The framework's message thread is this thread, as in the program.
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    return RUN_ALL_TESTS();
}

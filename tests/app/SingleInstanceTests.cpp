#include "TestSupport.h"

#include "app/SingleInstance.h"

#include <gtest/gtest.h>

#include <mutex>

TEST (SingleInstance, ALaterLaunchHandsItsCommandLineToTheRunningOne)
{
    TestSupport::TemporaryFolder temp;
    const auto path = temp.folder.getChildFile ("editor.instance");

    std::mutex lock;
    juce::StringArray received;
    juce::File receivedFolder;

    SingleInstance running (path);
    ASSERT_TRUE (running.startListening ([&] (const juce::String& line, const juce::File& folder) {
        std::lock_guard<std::mutex> guard (lock);
        received.add (line);
        receivedFolder = folder;
    }));

    SingleInstance second (path);
    EXPECT_TRUE (second.handOverToRunningInstance ("-x \"my bank.plvr_bank\""));

    std::lock_guard<std::mutex> guard (lock);
    EXPECT_EQ (received, juce::StringArray ({ "-x \"my bank.plvr_bank\"" }));
    EXPECT_EQ (receivedFolder, juce::File::getCurrentWorkingDirectory());
}

TEST (SingleInstance, NoRunningInstanceMeansNoHandOver)
{
    TestSupport::TemporaryFolder temp;
    SingleInstance lonely (temp.folder.getChildFile ("nobody.instance"));
    EXPECT_FALSE (lonely.handOverToRunningInstance ("file"));
}

TEST (SingleInstance, AStaleSocketIsReplacedButOtherFilesAreLeftAlone)
{
    TestSupport::TemporaryFolder temp;
    const auto path = temp.folder.getChildFile ("editor.instance");

    {
        SingleInstance first (path);
        ASSERT_TRUE (first.startListening ([] (const juce::String&, const juce::File&) {}));
    }
    SingleInstance again (path);
    EXPECT_TRUE (again.startListening ([] (const juce::String&, const juce::File&) {}));
    again.stopListening();

    const auto plainFile = temp.folder.getChildFile ("plain.instance");
    plainFile.replaceWithText ("keep me");
    SingleInstance refused (plainFile);
    EXPECT_FALSE (refused.startListening ([] (const juce::String&, const juce::File&) {}));
    EXPECT_EQ (plainFile.loadFileAsString(), "keep me");
}

#include "gui/main/CommandManagerBench.h"

#include "commands/CommandIds.h"

#include <gtest/gtest.h>

namespace
{
struct ActionCommandTargetTest : ::testing::Test
{
    CommandManagerBench bench;

    juce::CommandID commandForKey (int keyCode, juce::ModifierKeys modifiers)
    {
        return bench.commandManager.getKeyMappings()->findCommandForKeyPress (juce::KeyPress (keyCode, modifiers, 0));
    }
};
}

TEST_F (ActionCommandTargetTest, RegistersSixtySixCommandsAsTheActionManagerDescribesThem)
{
    EXPECT_EQ (bench.commandManager.getNumCommands(), 66);

    const auto info = bench.infoFor (CommandIds::exportSampleAiff);
    EXPECT_EQ (info.shortName, "Export Sample in AIFF Format...");
    EXPECT_EQ (info.description, "Export Sample in AIFF Format...");
    EXPECT_EQ (info.categoryName, "File");

    // Nothing to undo: the command manager sees the command disabled.
    EXPECT_NE (bench.infoFor (CommandIds::undo).flags & juce::ApplicationCommandInfo::isDisabled, 0);
    EXPECT_EQ (bench.infoFor (CommandIds::newBank).flags & juce::ApplicationCommandInfo::isDisabled, 0);

    // Ids outside the table are not described and not performed.
    juce::ApplicationCommandInfo outside (67);
    bench.target.getCommandInfo (67, outside);
    EXPECT_TRUE (outside.shortName.isEmpty());
    EXPECT_FALSE (bench.target.perform (juce::ApplicationCommandTarget::InvocationInfo (0)));
    EXPECT_FALSE (bench.target.perform (juce::ApplicationCommandTarget::InvocationInfo (67)));
}

TEST_F (ActionCommandTargetTest, InstallsTheDefaultKeys)
{
    const auto ctrl = juce::ModifierKeys::ctrlModifier;
    const auto ctrlShift = juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::shiftModifier;

    EXPECT_EQ (commandForKey ('n', ctrl), CommandIds::newBank);
    EXPECT_EQ (commandForKey ('s', ctrl), CommandIds::saveBank);
    EXPECT_EQ (commandForKey ('s', ctrlShift), CommandIds::saveBankAs);
    EXPECT_EQ (commandForKey ('z', ctrl), CommandIds::undo);
    EXPECT_EQ (commandForKey ('z', ctrlShift), CommandIds::redo);
    EXPECT_EQ (commandForKey ('A', ctrl), CommandIds::selectAll);
    EXPECT_EQ (commandForKey (juce::KeyPress::deleteKey, {}), CommandIds::clear);
    EXPECT_EQ (commandForKey (juce::KeyPress::F5Key, {}), CommandIds::refreshFileBrowser);
    EXPECT_EQ (commandForKey (' ', {}), CommandIds::playStop);
    EXPECT_EQ (commandForKey ('l', ctrl), CommandIds::receiveCurrentBank);
    EXPECT_EQ (commandForKey ('t', ctrl), CommandIds::transmitCurrentBank);
    EXPECT_EQ (commandForKey ('b', ctrl), CommandIds::showBankMemory);
    EXPECT_EQ (commandForKey ('1', ctrl), CommandIds::previousTarget);
    EXPECT_EQ (commandForKey ('2', ctrl), CommandIds::nextTarget);
    EXPECT_EQ (commandForKey (',', ctrl), CommandIds::preferences);
    EXPECT_EQ (commandForKey ('q', ctrl), CommandIds::quit);

    // Commands without a default key have none.
    EXPECT_TRUE (bench.infoFor (CommandIds::receiveAllBanks).defaultKeypresses.isEmpty());
    EXPECT_TRUE (bench.infoFor (CommandIds::about).defaultKeypresses.isEmpty());
}

TEST_F (ActionCommandTargetTest, KeysAndMenusPerformTheCommand)
{
    ASSERT_TRUE (bench.commandManager.invokeDirectly (CommandIds::about, false));
    EXPECT_EQ (bench.gui.aboutShown, 1);
}

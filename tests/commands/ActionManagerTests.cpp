#include "support/CommandTestBench.h"

#include "app/MessageIds.h"
#include "commands/CommandIds.h"

using namespace CommandTestSupport;

namespace
{
struct ActionManagerTest : ::testing::Test
{
    CommandBench bench;
};

// An undo step that changes nothing, recorded under a transaction name.
struct NamedStep : juce::UndoableAction
{
    bool perform() override { return true; }
    bool undo() override { return true; }
};

void recordStep (juce::UndoManager& history, const juce::String& transactionName)
{
    history.beginNewTransaction (transactionName);
    history.perform (new NamedStep());
}
}

TEST_F (ActionManagerTest, DescribesSixtySixCommandsWithNamesAndCategories)
{
    const auto commands = ActionManager::getAllCommands();
    ASSERT_EQ (commands.size(), 66);
    EXPECT_EQ (commands.getFirst(), CommandIds::newBank);
    EXPECT_EQ (commands.getLast(), CommandIds::quit);

    EXPECT_EQ (bench.nameOf (CommandIds::newBank), "New");
    EXPECT_EQ (bench.describe (CommandIds::newBank).category, "File");
    EXPECT_EQ (bench.nameOf (CommandIds::exportSampleAiff), "Export Sample in AIFF Format...");
    EXPECT_EQ (bench.describe (CommandIds::showBankMemory).category, "Operation");
    EXPECT_EQ (bench.describe (CommandIds::writeGlobal).category, "Communication");
    EXPECT_EQ (bench.nameOf (CommandIds::convertTo6), "Convert to 6 kHz.");
    EXPECT_EQ (bench.describe (CommandIds::refreshFileBrowser).category, "Other");
    EXPECT_EQ (bench.describe (CommandIds::bankMemoryWriteBank).category, "Manage Bank Memory");
    EXPECT_EQ (bench.nameOf (CommandIds::bankMemoryWriteBank), "Write Bank");
    EXPECT_EQ (bench.nameOf (CommandIds::quit), "Exit");
    EXPECT_EQ (bench.describe (CommandIds::about).category, "Help");

    // Ids outside the table are not described and not performed.
    CommandDescription outside;
    outside.name = "untouched";
    EXPECT_FALSE (bench.actions->describe (0, outside));
    EXPECT_FALSE (bench.actions->describe (67, outside));
    EXPECT_EQ (outside.name, "untouched");
    EXPECT_FALSE (bench.actions->perform (0));
    EXPECT_FALSE (bench.actions->perform (67));
}

TEST_F (ActionManagerTest, GivesTheDefaultKeys)
{
    const auto keyOf = [this] (int commandId)
    {
        const auto description = bench.describe (commandId);
        return std::make_pair (description.key, description.modifiers);
    };

    EXPECT_EQ (keyOf (CommandIds::newBank), std::make_pair ((int) 'n', (int) CommandDescription::ctrl));
    EXPECT_EQ (keyOf (CommandIds::saveBankAs), std::make_pair ((int) 's', (int) CommandDescription::ctrlShift));
    EXPECT_EQ (keyOf (CommandIds::redo), std::make_pair ((int) 'z', (int) CommandDescription::ctrlShift));
    EXPECT_EQ (keyOf (CommandIds::clear), std::make_pair ((int) CommandDescription::deleteKey, (int) CommandDescription::noModifiers));
    EXPECT_EQ (keyOf (CommandIds::refreshFileBrowser), std::make_pair ((int) CommandDescription::f5Key, (int) CommandDescription::noModifiers));
    EXPECT_EQ (keyOf (CommandIds::playStop), std::make_pair ((int) ' ', (int) CommandDescription::noModifiers));
    EXPECT_EQ (keyOf (CommandIds::preferences), std::make_pair ((int) ',', (int) CommandDescription::ctrl));

    EXPECT_EQ (bench.describe (CommandIds::receiveAllBanks).key, CommandDescription::noKey);
    EXPECT_EQ (bench.describe (CommandIds::about).key, CommandDescription::noKey);
}

TEST_F (ActionManagerTest, UndoAndRedoNameTheStepAndAreDisabledWithoutOne)
{
    EXPECT_EQ (bench.nameOf (CommandIds::undo), "Undo");
    EXPECT_FALSE (bench.isEnabled (CommandIds::undo));
    EXPECT_EQ (bench.nameOf (CommandIds::redo), "Redo");
    EXPECT_FALSE (bench.isEnabled (CommandIds::redo));

    recordStep (bench.history, "CutSample");
    EXPECT_EQ (bench.nameOf (CommandIds::undo), "Undo : Cut sample data");
    EXPECT_TRUE (bench.isEnabled (CommandIds::undo));

    EXPECT_TRUE (bench.invoke (CommandIds::undo));
    EXPECT_FALSE (bench.history.canUndo());
    EXPECT_EQ (bench.nameOf (CommandIds::undo), "Undo");
    EXPECT_EQ (bench.nameOf (CommandIds::redo), "Redo : Cut sample data");

    EXPECT_TRUE (bench.invoke (CommandIds::redo));
    EXPECT_TRUE (bench.history.canUndo());
    EXPECT_FALSE (bench.isEnabled (CommandIds::redo));
}

TEST_F (ActionManagerTest, EverythingIsDisabledWhileASessionDialogIsUpOrTheGuiIsModalOrAbsent)
{
    recordStep (bench.history, "WaveEdit");

    const auto anyEnabled = [this]
    {
        for (int id = CommandIds::first; id <= CommandIds::last; ++id)
            if (bench.isEnabled (id))
                return true;
        return false;
    };

    EXPECT_TRUE (anyEnabled());

    ASSERT_TRUE (bench.gui.openSessionDialog ("Receive Sample Data", CommandGui::fromMainWindow));
    EXPECT_FALSE (anyEnabled());
    EXPECT_FALSE (bench.invoke (CommandIds::undo));
    EXPECT_TRUE (bench.history.canUndo());
    bench.gui.closeSessionDialog();
    EXPECT_TRUE (anyEnabled());

    bench.gui.modal = true;
    EXPECT_FALSE (anyEnabled());
    bench.gui.modal = false;

    bench.guiPresent = false;
    EXPECT_FALSE (anyEnabled());
}

TEST_F (ActionManagerTest, ClipboardCommandsAreLeftToTheFocusedPage)
{
    for (int id : { CommandIds::cut, CommandIds::copy, CommandIds::paste, CommandIds::clear })
        EXPECT_FALSE (bench.isEnabled (id));

    EXPECT_EQ (bench.nameOf (CommandIds::cut), "Cut");
    EXPECT_EQ (bench.nameOf (CommandIds::copy), "Copy");
    EXPECT_EQ (bench.nameOf (CommandIds::paste), "Paste");
    EXPECT_EQ (bench.nameOf (CommandIds::clear), "Clear");
}

TEST_F (ActionManagerTest, ReceiveAndTransmitNameWhatThePageShows)
{
    const std::vector<std::tuple<int, const char*, const char*>> pages {
        { 0, "Receive", "Transmit" },
        { 1, "Receive Sample Data", "Transmit Sample Data" },
        { 2, "Receive Effect Data", "Transmit Effect Data" },
        { 3, "Receive Pattern Set", "Transmit Pattern Set" },
        { 4, "Receive", "Transmit" },
    };

    for (auto& [page, receive, transmit] : pages)
    {
        bench.gui.page = page;
        EXPECT_EQ (bench.nameOf (CommandIds::receiveEditTarget), receive);
        EXPECT_EQ (bench.nameOf (CommandIds::transmitEditTarget), transmit);
    }
}

TEST_F (ActionManagerTest, SampleSelectionCommandsOnlyOnTheSamplePage)
{
    for (int page : { 0, 2, 3 })
    {
        bench.gui.page = page;
        EXPECT_FALSE (bench.isEnabled (CommandIds::selectAll));
        EXPECT_FALSE (bench.isEnabled (CommandIds::selectionToPoints));
        EXPECT_FALSE (bench.isEnabled (CommandIds::pointsToSelection));
    }

    bench.gui.page = 1;
    EXPECT_TRUE (bench.isEnabled (CommandIds::selectAll));
    EXPECT_TRUE (bench.isEnabled (CommandIds::selectionToPoints));
    EXPECT_TRUE (bench.isEnabled (CommandIds::pointsToSelection));
}

TEST_F (ActionManagerTest, SelectAllCoversEveryFrameButTheGuard)
{
    fillSample (bench.sample (0), 1000);
    EXPECT_TRUE (bench.invoke (CommandIds::selectAll));
    EXPECT_EQ (bench.selection.start, 0);
    EXPECT_EQ (bench.selection.end, 998);
    EXPECT_EQ (bench.selection.channelFlags[0], 1);
    EXPECT_EQ (bench.selection.channelFlags[1], 1);

    fillSample (bench.sample (0), 1);
    EXPECT_TRUE (bench.invoke (CommandIds::selectAll));
    EXPECT_EQ (bench.selection.start, -1);
    EXPECT_EQ (bench.selection.end, 0);

    // Not on another page.
    bench.selection = {};
    bench.gui.page = 2;
    EXPECT_FALSE (bench.invoke (CommandIds::selectAll));
    EXPECT_EQ (bench.selection.end, 0);
}

TEST_F (ActionManagerTest, PointsBecomeTheSelectionSmallerFirst)
{
    auto& sample = bench.sample (0);
    fillSample (sample, 1000);
    sample.setParameter (SampleData::end, 100);
    sample.setParameter (SampleData::start, 700);

    EXPECT_TRUE (bench.invoke (CommandIds::pointsToSelection));
    EXPECT_EQ (bench.selection.start, 100);
    EXPECT_EQ (bench.selection.end, 700);
    EXPECT_EQ (bench.selection.channelFlags[0], 1);
    EXPECT_EQ (bench.selection.channelFlags[1], 1);
}

TEST_F (ActionManagerTest, NextAndPreviousTargetWrapRoundOnTheSamplePage)
{
    bench.setCurrentSample (35);
    EXPECT_TRUE (bench.invoke (CommandIds::nextTarget));
    EXPECT_EQ (bench.currentSampleIndex(), 0);
    EXPECT_TRUE (bench.invoke (CommandIds::previousTarget));
    EXPECT_EQ (bench.currentSampleIndex(), 35);
    EXPECT_TRUE (bench.invoke (CommandIds::previousTarget));
    EXPECT_EQ (bench.currentSampleIndex(), 34);

    bench.gui.page = 3;
    EXPECT_TRUE (bench.invoke (CommandIds::nextTarget));
    EXPECT_TRUE (bench.invoke (CommandIds::previousTarget));
    EXPECT_EQ (bench.currentSampleIndex(), 34);
}

TEST_F (ActionManagerTest, ChoosingTheNextTargetPlaysItWhenTheUserWantsThat)
{
    fillSample (bench.sample (1), 48000);
    fillSample (bench.sample (2), 48000);
    fillSample (bench.sample (3), 48000);

    bench.invoke (CommandIds::nextTarget);
    EXPECT_EQ (bench.players->getLoadedSampleIndex(), 1);
    EXPECT_TRUE (bench.players->isPlaying());
    bench.players->stop();

    bench.gui.waveformEditorShown = false;
    bench.invoke (CommandIds::nextTarget);
    EXPECT_FALSE (bench.players->isPlaying());

    bench.gui.waveformEditorShown = true;
    bench.preferences.get()->setFlag (PreferencesData::targetSampleAutoPlay, false);
    bench.invoke (CommandIds::nextTarget);
    EXPECT_EQ (bench.players->getLoadedSampleIndex(), 3);
    EXPECT_FALSE (bench.players->isPlaying());
}

TEST_F (ActionManagerTest, PlayStopTogglesAndNamesWhatItWillDo)
{
    fillSample (bench.sample (0), 48000);
    bench.players->selectSample (0);

    EXPECT_EQ (bench.nameOf (CommandIds::playStop), "Play");
    EXPECT_TRUE (bench.invoke (CommandIds::playStop));
    EXPECT_TRUE (bench.players->isPlaying());
    EXPECT_EQ (bench.nameOf (CommandIds::playStop), "Stop");

    EXPECT_TRUE (bench.invoke (CommandIds::playStop));
    EXPECT_FALSE (bench.players->isPlaying());

    bench.sample (0).setParameter (SampleData::start, 100);
    bench.players->selectSample (0);
    bench.players->getSamplePlayer().setPlayPosition (5000);
    EXPECT_TRUE (bench.invoke (CommandIds::rewind));
    EXPECT_EQ (bench.players->getSamplePlayer().getPlayPosition(), 100);
}

TEST_F (ActionManagerTest, RefreshFileBrowserBroadcastsItsMessage)
{
    BroadcastRecorder recorder;
    EXPECT_TRUE (bench.invoke (CommandIds::refreshFileBrowser));
    EXPECT_TRUE (recorder.waitFor (MessageIds::refreshFileBrowser));
}

TEST_F (ActionManagerTest, InitializeGlobalAsksFirst)
{
    auto& global = bench.dataCenter->getGlobalData();
    global.setField (GlobalData::globalMidiChannel, 9);

    EXPECT_TRUE (bench.invoke (CommandIds::initGlobal));
    ASSERT_EQ (bench.boxes.getShown().size(), 1u);
    EXPECT_EQ (bench.boxes.getShown()[0].title, "Initialize Global");
    EXPECT_EQ (bench.boxes.getShown()[0].message, "Do you really want to initialize the global data?");
    EXPECT_TRUE (bench.boxes.getShown()[0].withCancel);
    EXPECT_EQ (global.getField (GlobalData::globalMidiChannel), 9);

    BroadcastRecorder recorder;
    bench.boxes.answerConfirmation (true);
    EXPECT_TRUE (bench.invoke (CommandIds::initGlobal));
    EXPECT_NE (global.getField (GlobalData::globalMidiChannel), 9);
    EXPECT_TRUE (recorder.waitFor (MessageIds::dataChanged));
}

TEST_F (ActionManagerTest, WindowCommandsGoToTheGui)
{
    EXPECT_TRUE (bench.invoke (CommandIds::preferences));
    EXPECT_TRUE (bench.invoke (CommandIds::showBankMemory));
    EXPECT_TRUE (bench.invoke (CommandIds::showBankMemory));
    EXPECT_TRUE (bench.invoke (CommandIds::about));
    EXPECT_EQ (bench.gui.preferencesShown, 1);
    EXPECT_EQ (bench.gui.bankMemoryShown, 2);
    EXPECT_EQ (bench.gui.aboutShown, 1);
}

TEST_F (ActionManagerTest, CommandsWithoutWorkHereChangeNothing)
{
    for (int id : { CommandIds::initBank, CommandIds::receiveBank, CommandIds::writeBank })
    {
        EXPECT_TRUE (bench.isEnabled (id));
        EXPECT_TRUE (bench.invoke (id));
    }
    EXPECT_TRUE (bench.gui.sessionDialogs.empty());
    EXPECT_FALSE (bench.history.canUndo());
}

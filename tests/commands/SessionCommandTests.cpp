#include "support/CommandTestBench.h"

#include "commands/CommandIds.h"
#include "device/virtual/VirtualUsbBus.h"

#include <cstring>

using namespace CommandTestSupport;

namespace
{
struct SessionCommandTest : ::testing::Test
{
    CommandBench bench;
    UsbSessionManager& manager = *bench.getSessionManager();
    SessionWatcher watcher { manager };

    // Runs the command and waits for its session; answers its result.
    bool runToEnd (int commandId)
    {
        EXPECT_TRUE (bench.invoke (commandId));
        EXPECT_TRUE (bench.gui.sessionDialogOpen);
        const bool ended = watcher.waitForNext();
        bench.gui.closeSessionDialog();
        return ended && watcher.lastResult;
    }

    VirtualPlovara::Bank deviceBank() const { return bench.plovara->getBank (bench.plovara->getCurrentBank()); }

    juce::String deviceBankName (int index) const
    {
        return juce::String::fromUTF8 ((const char*) bench.plovara->getBank (index).parameters.data(), 8).trimEnd();
    }

    void nameDeviceBank (int index, const char* name)
    {
        auto bank = bench.plovara->getBank (index);
        std::memset (bank.parameters.data(), ' ', 8);
        std::memcpy (bank.parameters.data(), name, std::strlen (name));
        bench.plovara->setBank (index, bank);
    }
};
}

TEST_F (SessionCommandTest, TransmitSampleSendsTheCurrentSampleWithItsAudio)
{
    fillSample (bench.sample (3), 4800);
    bench.sample (3).setName ("KICK");
    bench.setCurrentSample (3);
    bench.players->play();
    ASSERT_TRUE (bench.players->isPlaying());

    ASSERT_TRUE (runToEnd (CommandIds::transmitSample));
    ASSERT_EQ (bench.gui.sessionDialogs.size(), 1u);
    EXPECT_EQ (bench.gui.sessionDialogs[0].title, "Transmit Sample Data");
    EXPECT_EQ (bench.gui.sessionDialogs[0].origin, CommandGui::fromMainWindow);
    EXPECT_FALSE (bench.players->isPlaying()) << "playback stops first";

    const auto stored = deviceBank().samples[3];
    EXPECT_EQ (stored.pcm.getSize(), 4800u * 2u);
    EXPECT_EQ (juce::String::fromUTF8 ((const char*) stored.parameters.data(), 4), "KICK");
}

TEST_F (SessionCommandTest, TransmitSampleParametersLeavesTheAudioAndThePlayback)
{
    fillSample (bench.sample (0), 4800);
    bench.sample (0).setName ("SNARE");
    bench.players->play();

    ASSERT_TRUE (runToEnd (CommandIds::transmitSampleParameters));
    EXPECT_EQ (bench.gui.sessionDialogs[0].title, "Transmit Sample Parameters");
    EXPECT_TRUE (bench.players->isPlaying());

    const auto stored = deviceBank().samples[0];
    EXPECT_EQ (stored.pcm.getSize(), 0u);
    EXPECT_EQ (juce::String::fromUTF8 ((const char*) stored.parameters.data(), 5), "SNARE");
}

TEST_F (SessionCommandTest, TransmitOnTheSamplePageIsTransmitSampleData)
{
    fillSample (bench.sample (0), 100);

    ASSERT_TRUE (runToEnd (CommandIds::transmitEditTarget));
    EXPECT_EQ (bench.gui.sessionDialogs[0].title, "Transmit Sample Data");
    EXPECT_EQ (deviceBank().samples[0].pcm.getSize(), 200u);

    // Without a page there is nothing to move.
    bench.gui.page = 0;
    EXPECT_TRUE (bench.invoke (CommandIds::transmitEditTarget));
    EXPECT_TRUE (bench.invoke (CommandIds::receiveEditTarget));
    EXPECT_EQ (bench.gui.sessionDialogs.size(), 1u);
}

TEST_F (SessionCommandTest, ReceiveGlobalFillsTheGlobalDataFromThePreferencesWindow)
{
    GlobalData wanted;
    wanted.setField (GlobalData::globalMidiChannel, 4);
    VirtualPlovara::GlobalImage image;
    std::copy (wanted.getImage().begin(), wanted.getImage().end(), image.begin());
    bench.plovara->setGlobalData (image);

    ASSERT_TRUE (runToEnd (CommandIds::receiveGlobal));
    EXPECT_EQ (bench.gui.sessionDialogs[0].title, "Receive Global Data");
    EXPECT_EQ (bench.gui.sessionDialogs[0].origin, CommandGui::fromPreferencesWindow);
    EXPECT_EQ (bench.dataCenter->getGlobalData().getField (GlobalData::globalMidiChannel), 4);
}

TEST_F (SessionCommandTest, WriteGlobalAsksAlwaysAndWritesOnlyAfterOk)
{
    auto& global = bench.dataCenter->getGlobalData();
    global.setField (GlobalData::globalMidiChannel, 6);

    EXPECT_TRUE (bench.invoke (CommandIds::writeGlobal));
    ASSERT_EQ (bench.gui.writeWarnings.size(), 1u);
    EXPECT_TRUE (bench.gui.writeWarnings[0].writeMessage);
    EXPECT_FALSE (bench.gui.writeWarnings[0].showDontConfirmBox);
    EXPECT_TRUE (bench.gui.sessionDialogs.empty());

    bench.preferences.get()->setFlag (PreferencesData::warningBeforeWriting, false);
    bench.gui.writeWarningAnswers.push_back (true);
    ASSERT_TRUE (runToEnd (CommandIds::writeGlobal));
    EXPECT_EQ (bench.gui.writeWarnings.size(), 2u) << "asked even with the warning preference off";
    EXPECT_EQ (bench.gui.sessionDialogs[0].origin, CommandGui::fromPreferencesWindow);
    const auto written = bench.plovara->getGlobalData();
    EXPECT_TRUE (std::equal (global.getImage().begin(), global.getImage().end(), written.begin()));
}

TEST_F (SessionCommandTest, APortThatCannotOpenClosesTheWindowAndSaysWhy)
{
    VirtualUsbBus::getInstance().unplug (*bench.plovara);
    manager.deviceChanged();
    ASSERT_FALSE (manager.isPortOpen());

    EXPECT_TRUE (bench.invoke (CommandIds::transmitSampleParameters));
    EXPECT_EQ (bench.gui.sessionDialogs.size(), 1u);
    EXPECT_FALSE (bench.gui.sessionDialogOpen);
    ASSERT_EQ (bench.boxes.getShown().size(), 1u);
    EXPECT_EQ (bench.boxes.getShown()[0].key, "Error_UsbDeviceNotFound");

    VirtualUsbBus::getInstance().plug (bench.plovara);
}

TEST_F (SessionCommandTest, ReceiveCurrentBankReplacesTheEditedBankAndItsHistory)
{
    nameDeviceBank (bench.plovara->getCurrentBank(), "REMOTE");
    fillSample (bench.sample (0), 100);
    bench.invoke (CommandIds::selectAll);
    bench.invoke (CommandIds::silence);
    ASSERT_TRUE (bench.history.canUndo());
    bench.players->play();

    ASSERT_TRUE (runToEnd (CommandIds::receiveCurrentBank));
    EXPECT_EQ (bench.gui.sessionDialogs[0].title, "Receive Current Bank");
    EXPECT_EQ (bench.gui.sessionDialogs[0].origin, CommandGui::fromMainWindow);
    EXPECT_FALSE (bench.players->isPlaying());
    EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return bench.dataCenter->getEditBank().getName() == "REMOTE"; }));
    EXPECT_TRUE (bench.dataCenter->isModified());
    EXPECT_FALSE (bench.history.canUndo());
}

TEST_F (SessionCommandTest, TransmitCurrentBankWarnsWhileTheUserWantsIt)
{
    bench.dataCenter->getEditBank().setName ("OUTGOING");

    EXPECT_TRUE (bench.invoke (CommandIds::transmitCurrentBank));
    ASSERT_EQ (bench.gui.writeWarnings.size(), 1u);
    EXPECT_FALSE (bench.gui.writeWarnings[0].writeMessage) << "the update message";
    EXPECT_TRUE (bench.gui.writeWarnings[0].showDontConfirmBox);
    EXPECT_TRUE (bench.gui.sessionDialogs.empty());

    bench.gui.writeWarningAnswers.push_back (true);
    ASSERT_TRUE (runToEnd (CommandIds::transmitCurrentBank));
    EXPECT_EQ (deviceBankName (bench.plovara->getCurrentBank()), "OUTGOING");

    bench.preferences.get()->setFlag (PreferencesData::warningBeforeWriting, false);
    bench.dataCenter->getEditBank().setName ("SILENT");
    ASSERT_TRUE (runToEnd (CommandIds::transmitCurrentBank));
    EXPECT_EQ (bench.gui.writeWarnings.size(), 2u);
    EXPECT_EQ (deviceBankName (bench.plovara->getCurrentBank()), "SILENT");
}

TEST_F (SessionCommandTest, ReceiveSampleTakesTheDevicesSampleAsOneUndoStep)
{
    fillSample (bench.sample (2), 600);
    bench.sample (2).setName ("CLAP");
    bench.setCurrentSample (2);
    ASSERT_TRUE (runToEnd (CommandIds::transmitSample));

    bench.sample (2).resetToDefaults();
    ASSERT_TRUE (runToEnd (CommandIds::receiveEditTarget));
    EXPECT_EQ (bench.gui.sessionDialogs[1].title, "Receive Sample Data");
    EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return bench.sample (2).getName() == "CLAP"; }));
    EXPECT_EQ (bench.sample (2).getNumFrames(), 600);
    EXPECT_EQ (bench.nameOf (CommandIds::undo), "Undo : Receive sample data");
}

TEST_F (SessionCommandTest, ReceiveSampleIsRefusedWhileTheBankMemoryIsOverBudget)
{
    // Two halves of the device's sample memory and a bit more.
    const int frames = SampleData::deviceSampleMemory / 4 + 1;
    bench.sample (0).resize (1, frames, 48000.0, false);
    bench.sample (1).resize (1, frames, 48000.0, false);
    bench.sample (2).resize (1, frames, 48000.0, false);
    ASSERT_LT (bench.dataCenter->getEditBank().getFreeSampleMemory(), 0);

    EXPECT_TRUE (bench.invoke (CommandIds::receiveSample));
    EXPECT_TRUE (bench.gui.sessionDialogs.empty());
    ASSERT_EQ (bench.boxes.getShown().size(), 1u);
    EXPECT_EQ (bench.boxes.getShown()[0].key, "Error_NoFreeMemoryToReceiveSample");
}

TEST_F (SessionCommandTest, EffectAndPatternSetTravelByPage)
{
    auto& effect = bench.dataCenter->getEditBank().getEffect();
    effect.setByte (EffectData::typeByte, 3);
    bench.gui.page = 2;
    ASSERT_TRUE (runToEnd (CommandIds::transmitEditTarget));
    EXPECT_EQ (bench.gui.sessionDialogs[0].title, "Transmit Effect Data");
    EXPECT_EQ (deviceBank().effect[0], 3);

    effect.resetToDefaults();
    ASSERT_TRUE (runToEnd (CommandIds::receiveEditTarget));
    EXPECT_EQ (bench.gui.sessionDialogs[1].title, "Receive Effect Data");
    EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return effect.getType() == 3; }));
    EXPECT_EQ (bench.nameOf (CommandIds::undo), "Undo : Receive effect data");

    bench.gui.page = 3;
    ASSERT_TRUE (runToEnd (CommandIds::transmitEditTarget));
    EXPECT_EQ (bench.gui.sessionDialogs[2].title, "Transmit Pattern Set");
    ASSERT_TRUE (runToEnd (CommandIds::receiveEditTarget));
    EXPECT_EQ (bench.gui.sessionDialogs[3].title, "Receive Pattern Set");
    EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return bench.nameOf (CommandIds::undo) == "Undo : Receive pattern set"; }));
}

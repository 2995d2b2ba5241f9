#include "commands/CommandTestBench.h"

#include "commands/CommandIds.h"
#include "device/virtual/VirtualUsbBus.h"

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

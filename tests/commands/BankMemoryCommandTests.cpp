#include "support/CommandTestBench.h"

#include "app/MessageIds.h"
#include "commands/CommandIds.h"
#include "files/DataFileAccess.h"

#include <cstring>

using namespace CommandTestSupport;

namespace
{
struct BankMemoryCommandTest : ::testing::Test
{
    CommandBench bench;
    SessionWatcher watcher { *bench.getSessionManager() };

    BankMemoryCommandTest()
    {
        for (int bank = 0; bank < 8; ++bank)
            nameDeviceBank (bank, juce::String ("BANK") + juce::String::charToString ((juce::juce_wchar) ('A' + bank)));
    }

    juce::File file (const juce::String& name) const { return bench.folders.temp.folder.getChildFile (name); }

    void nameDeviceBank (int index, const juce::String& name)
    {
        auto bank = bench.plovara->getBank (index);
        std::memset (bank.parameters.data(), ' ', 8);
        std::memcpy (bank.parameters.data(), name.toRawUTF8(), (size_t) name.length());
        bench.plovara->setBank (index, bank);
    }

    juce::String deviceBankName (int index) const
    {
        return juce::String::fromUTF8 ((const char*) bench.plovara->getBank (index).parameters.data(), 8).trimEnd();
    }

    // Runs the command, waits for its session and for the broadcast that
    // follows it, then closes the window as a successful session does.
    bool runToEnd (int commandId, int broadcastId = 0)
    {
        BroadcastRecorder recorder;
        EXPECT_TRUE (bench.invoke (commandId));
        EXPECT_TRUE (bench.gui.sessionDialogOpen);
        const bool ended = watcher.waitForNext();
        if (broadcastId != 0)
        {
            EXPECT_TRUE (recorder.waitFor (broadcastId, 1));
        }
        bench.gui.closeSessionDialog();
        return ended && watcher.lastResult;
    }

    juce::String bankNameInFile (const juce::File& bankFile) const
    {
        BankData bank;
        return DataFileAccess::read (bank, bankFile).isEmpty() ? bank.getName() : juce::String ("unreadable");
    }

    void writeBankFile (const juce::File& bankFile, const juce::String& name)
    {
        BankData bank;
        bank.setName (name);
        ASSERT_EQ (DataFileAccess::write (bank, bankFile), "");
    }
};
}

TEST_F (BankMemoryCommandTest, BackupReceivesAllBanksIntoTheChosenFileAndKeepsIt)
{
    bench.choosers.choose (file ("device"));
    ASSERT_TRUE (runToEnd (CommandIds::bankMemoryBackup, MessageIds::allBankReceiveFinished));
    EXPECT_EQ (bench.gui.sessionDialogs[0].title, "Backup");
    EXPECT_EQ (bench.gui.sessionDialogs[0].origin, CommandGui::fromBankMemoryWindow);

    const auto backup = file ("device.plvr_all");
    ASSERT_TRUE (backup.existsAsFile());

    // A later Receive All Banks saves to the same file again.
    backup.deleteFile();
    nameDeviceBank (3, "CHANGED");
    ASSERT_TRUE (runToEnd (CommandIds::receiveAllBanks, MessageIds::allBankReceiveFinished));
    EXPECT_EQ (bench.gui.sessionDialogs[1].title, "Receive All Banks");
    ASSERT_TRUE (backup.existsAsFile());

    AllData read;
    ASSERT_EQ (DataFileAccess::read (read, backup), "");
    BankData bankD;
    ASSERT_TRUE (read.getBankSet().loadInto (3, bankD));
    EXPECT_EQ (bankD.getName(), "CHANGED");
}

TEST_F (BankMemoryCommandTest, ReceiveAllBanksWithoutABackupWritesNoFile)
{
    ASSERT_TRUE (runToEnd (CommandIds::receiveAllBanks, MessageIds::allBankReceiveFinished));
    EXPECT_TRUE (bench.folders.temp.folder.findChildFiles (juce::File::findFiles, false, "*.plvr_all").isEmpty());

    BankData bankH;
    ASSERT_TRUE (bench.dataCenter->getAllData()->getBankSet().loadInto (7, bankH));
    EXPECT_EQ (bankH.getName(), "BANKH");
}

TEST_F (BankMemoryCommandTest, RestoreAsksThenWritesTheFileToTheDevice)
{
    bench.choosers.choose (file ("device"));
    ASSERT_TRUE (runToEnd (CommandIds::bankMemoryBackup, MessageIds::allBankReceiveFinished));
    nameDeviceBank (0, "LOST");

    EXPECT_TRUE (bench.invoke (CommandIds::bankMemoryRestore));
    EXPECT_EQ (bench.gui.sessionDialogs.size(), 1u) << "cancelled at the warning";
    ASSERT_EQ (bench.gui.writeWarnings.size(), 1u);
    EXPECT_TRUE (bench.gui.writeWarnings[0].writeMessage);
    EXPECT_FALSE (bench.gui.writeWarnings[0].showDontConfirmBox);

    bench.gui.writeWarningAnswers.push_back (true);
    bench.choosers.choose (file ("device.plvr_all"));
    ASSERT_TRUE (runToEnd (CommandIds::bankMemoryRestore));
    EXPECT_EQ (bench.gui.sessionDialogs[1].title, "Restore");
    EXPECT_EQ (deviceBankName (0), "BANKA");
}

TEST_F (BankMemoryCommandTest, ReceiveBankSavesOneBankToTheChosenFile)
{
    EXPECT_TRUE (bench.invoke (CommandIds::bankMemoryReceiveBank));
    EXPECT_TRUE (bench.choosers.getShown().empty()) << "nothing selected";

    bench.receiveSelection.setSelected (1, true);
    EXPECT_TRUE (bench.invoke (CommandIds::bankMemoryReceiveBank));
    EXPECT_TRUE (bench.gui.sessionDialogs.empty()) << "no file chosen";

    bench.choosers.choose (file ("second"));
    ASSERT_TRUE (runToEnd (CommandIds::bankMemoryReceiveBank, MessageIds::selectedBankReceiveFinished));
    EXPECT_EQ (bench.gui.sessionDialogs[0].title, "Receive Bank");
    EXPECT_EQ (bench.gui.sessionDialogs[0].origin, CommandGui::fromBankMemoryWindow);
    EXPECT_EQ (bench.gui.receiveFolderAsked, 0);
    EXPECT_EQ (bankNameInFile (file ("second.plvr_bank")), "BANKB");
}

TEST_F (BankMemoryCommandTest, ReceiveBankSavesSeveralBanksUnderThePrefixAsTheUserAnswers)
{
    bench.receiveSelection.setSelected (0, true);
    bench.receiveSelection.setSelected (2, true);
    bench.receiveSelection.setSelected (4, true);

    EXPECT_TRUE (bench.invoke (CommandIds::bankMemoryReceiveBank));
    EXPECT_EQ (bench.gui.receiveFolderAsked, 1);
    EXPECT_TRUE (bench.gui.sessionDialogs.empty()) << "the selector was cancelled";

    const auto folder = file ("banks");
    folder.createDirectory();
    writeBankFile (folder.getChildFile ("LIVE_3.plvr_bank"), "OLDC");
    writeBankFile (folder.getChildFile ("LIVE_5.plvr_bank"), "OLDE");

    bench.gui.receiveFolderAnswer = true;
    bench.gui.receiveFolder = folder;
    bench.gui.receivePrefix = "LIVE";
    bench.gui.overwriteAnswers = { CommandGui::cancelOverwrite, CommandGui::saveAsOther };
    bench.choosers.choose (file ("instead"));

    ASSERT_TRUE (runToEnd (CommandIds::bankMemoryReceiveBank, MessageIds::selectedBankReceiveFinished));
    EXPECT_EQ (bench.gui.overwriteQuestions, juce::StringArray ({ "LIVE_3.plvr_bank", "LIVE_5.plvr_bank" }));
    EXPECT_EQ (bankNameInFile (folder.getChildFile ("LIVE_1.plvr_bank")), "BANKA");
    EXPECT_EQ (bankNameInFile (folder.getChildFile ("LIVE_3.plvr_bank")), "OLDC") << "Cancel skips the bank";
    EXPECT_EQ (bankNameInFile (folder.getChildFile ("LIVE_5.plvr_bank")), "OLDE");
    EXPECT_EQ (bankNameInFile (file ("instead.plvr_bank")), "BANKE") << "Save As names another file";
}

TEST_F (BankMemoryCommandTest, ReceiveBankWithoutAPrefixNamesTheFilesBank)
{
    const auto folder = file ("plain");
    folder.createDirectory();
    bench.receiveSelection.setSelected (6, true);
    bench.receiveSelection.setSelected (7, true);
    bench.gui.receiveFolderAnswer = true;
    bench.gui.receiveFolder = folder;

    ASSERT_TRUE (runToEnd (CommandIds::bankMemoryReceiveBank, MessageIds::selectedBankReceiveFinished));
    EXPECT_EQ (bankNameInFile (folder.getChildFile ("Bank_7.plvr_bank")), "BANKG");
    EXPECT_EQ (bankNameInFile (folder.getChildFile ("Bank_8.plvr_bank")), "BANKH");
}

TEST_F (BankMemoryCommandTest, WriteBankLoadsTheChosenFilesAndWritesThem)
{
    EXPECT_TRUE (bench.invoke (CommandIds::bankMemoryWriteBank));
    EXPECT_TRUE (bench.gui.writeWarnings.empty()) << "nothing selected";

    writeBankFile (file ("c.plvr_bank"), "FROMFILE");
    bench.writeSelection.setSelected (2, true);
    bench.writeSelection.setFile (2, file ("c.plvr_bank"), "c");

    EXPECT_TRUE (bench.invoke (CommandIds::bankMemoryWriteBank));
    ASSERT_EQ (bench.gui.writeWarnings.size(), 1u);
    EXPECT_TRUE (bench.gui.writeWarnings[0].writeMessage);
    EXPECT_TRUE (bench.gui.writeWarnings[0].showDontConfirmBox);
    EXPECT_TRUE (bench.gui.sessionDialogs.empty());

    bench.gui.writeWarningAnswers.push_back (true);
    ASSERT_TRUE (runToEnd (CommandIds::bankMemoryWriteBank));
    EXPECT_EQ (bench.gui.sessionDialogs[0].title, "Write Bank");
    EXPECT_EQ (deviceBankName (2), "FROMFILE");
    EXPECT_EQ (deviceBankName (1), "BANKB") << "only the selected bank";
}

TEST_F (BankMemoryCommandTest, WriteBankStopsAtAMissingFile)
{
    bench.preferences.get()->setFlag (PreferencesData::warningBeforeWriting, false);
    writeBankFile (file ("a.plvr_bank"), "FIRST");
    bench.writeSelection.setSelected (0, true);
    bench.writeSelection.setFile (0, file ("a.plvr_bank"), "a");
    bench.writeSelection.setSelected (5, true);
    bench.writeSelection.setFile (5, file ("gone.plvr_bank"), "gone");

    EXPECT_TRUE (bench.invoke (CommandIds::bankMemoryWriteBank));
    EXPECT_TRUE (bench.gui.writeWarnings.empty());
    EXPECT_TRUE (bench.gui.sessionDialogs.empty());
    ASSERT_EQ (bench.boxes.getShown().size(), 1u);
    EXPECT_EQ (bench.boxes.getShown()[0].title, "Write Bank");
    EXPECT_EQ (bench.boxes.getShown()[0].message, "The bank data file does not exist.");
    EXPECT_EQ (deviceBankName (0), "BANKA");
}

TEST_F (BankMemoryCommandTest, WriteAllBanksAlwaysAsks)
{
    bench.preferences.get()->setFlag (PreferencesData::warningBeforeWriting, false);
    ASSERT_TRUE (runToEnd (CommandIds::receiveAllBanks, MessageIds::allBankReceiveFinished));
    nameDeviceBank (6, "ERASED");

    EXPECT_TRUE (bench.invoke (CommandIds::writeAllBanks));
    EXPECT_EQ (bench.gui.writeWarnings.size(), 1u);
    EXPECT_EQ (bench.gui.sessionDialogs.size(), 1u);

    bench.gui.writeWarningAnswers.push_back (true);
    ASSERT_TRUE (runToEnd (CommandIds::writeAllBanks));
    EXPECT_EQ (bench.gui.sessionDialogs[1].title, "Write All Banks");
    EXPECT_EQ (bench.gui.sessionDialogs[1].origin, CommandGui::fromBankMemoryWindow);
    EXPECT_EQ (deviceBankName (6), "BANKG");
}

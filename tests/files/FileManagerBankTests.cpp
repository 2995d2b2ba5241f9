#include "files/FileManagerTestSupport.h"

#include "app/MessageIds.h"
#include "files/DataFileAccess.h"
#include "history/SetNewActions.h"

using FileManagerTestSupport::FileManagerFixture;

namespace
{
struct FileManagerBank : FileManagerFixture
{
    // A bank file of a bank with the name and tempo.
    juce::File bankFile (const juce::String& fileName, const juce::String& bankName, int tempo = 1400)
    {
        BankData other;
        other.setName (bankName);
        other.setTempo (tempo);
        other.getSample (3).resize (1, 1000, 48000.0, false);
        const auto target = file (fileName);
        writeFile (other, target);
        return target;
    }

    juce::String readName (const juce::File& target)
    {
        BankData read;
        EXPECT_EQ (DataFileAccess::read (read, target), "");
        return read.getName();
    }
};
}

TEST_F (FileManagerBank, SaveAsAppendsTheExtensionWritesTheBankAndMakesItTheDocument)
{
    bank().setName ("MYBANK");
    center.setModified();
    choosers.choose (file ("Mine"));

    ASSERT_TRUE (manager->save()) << "without a document file Save is Save As";

    const auto written = file ("Mine.plvr_bank");
    EXPECT_EQ (readName (written), "MYBANK");
    EXPECT_EQ (choosers.getShown()[0].title, "Save As...");
    EXPECT_EQ (choosers.getShown()[0].wildcard, "*.plvr_bank");
    EXPECT_FALSE (center.isModified());
    EXPECT_EQ (center.getDocumentFile(), written);
    EXPECT_TRUE (delivered (MessageIds::fileWritten));
    EXPECT_TRUE (broadcasts.contains (MessageIds::dataChanged));

    bank().setName ("AGAIN");
    ASSERT_TRUE (manager->save());
    EXPECT_EQ (readName (written), "AGAIN");
    EXPECT_EQ (choosers.getShown().size(), 1u) << "Save writes to the document file without asking";
}

TEST_F (FileManagerBank, CancellingTheOverwriteWritesNothing)
{
    const auto existing = bankFile ("Old.plvr_bank", "OLDBANK");
    center.setModified();
    choosers.choose (file ("Old"));

    EXPECT_FALSE (manager->saveAs());
    EXPECT_EQ (choosers.getQuestions().size(), 1u);
    EXPECT_EQ (readName (existing), "OLDBANK");
    EXPECT_TRUE (center.isModified());
}

TEST_F (FileManagerBank, WritingOverAFolderOrIntoAMissingFolderFails)
{
    file ("Folder.plvr_bank").createDirectory();
    choosers.choose (file ("Folder.plvr_bank"));
    EXPECT_FALSE (manager->saveAs());

    choosers.choose (file ("missing/New.plvr_bank"));
    EXPECT_FALSE (manager->saveAs());

    EXPECT_EQ (errors(), "Error_FileFailedToOpenToSave, Error_FileFailedToOpenToSave");
    EXPECT_EQ (center.getDocumentFile(), juce::File());
}

TEST_F (FileManagerBank, OpeningABankReplacesTheEditBankAndStartsAfresh)
{
    const auto opened = bankFile ("Song.PLVR_BANK", "SONG");
    notices.setSampleNotice (5, true);
    history.beginNewTransaction ("x");
    ASSERT_TRUE (history.perform (new SetNewSampleAction (0, SampleData())));
    playerRefreshes = selectionClears = 0;
    boxes.answerQuestion (MessageBoxes::no);   // the change above is dropped
    choosers.choose (opened);

    ASSERT_TRUE (manager->openBank());

    EXPECT_EQ (bank().getName(), "SONG");
    EXPECT_EQ (bank().getTempo(), 1400);
    EXPECT_EQ (bank().getSample (3).getNumFrames(), 1000);
    EXPECT_EQ (center.getDocumentFile(), opened);
    EXPECT_FALSE (center.isModified());
    EXPECT_FALSE (history.canUndo());
    EXPECT_FALSE (notices.getSampleNotice (5));
    EXPECT_EQ (selectionClears, 1);
    EXPECT_EQ (playerRefreshes, 1);
    EXPECT_TRUE (delivered (MessageIds::dataChanged));
}

TEST_F (FileManagerBank, ABankFileThatFailsHalfwayLeavesTheEditBankAsItWas)
{
    const auto broken = bankFile ("Broken.plvr_bank", "BROKEN");
    truncate (broken, 0.5);
    bank().setName ("KEEP");
    center.setModified();

    EXPECT_FALSE (manager->openBankFile (broken));
    EXPECT_FALSE (manager->openBankFile (file ("Missing.plvr_bank")));

    ASSERT_EQ (errorKeys().size(), 2);
    EXPECT_TRUE (errorKeys()[0].startsWith ("Error_File")) << errorKeys()[0];
    EXPECT_EQ (errorKeys()[1], "Error_FileTargetFileNotExist");
    EXPECT_EQ (bank().getName(), "KEEP");
    EXPECT_TRUE (center.isModified());
    EXPECT_EQ (center.getDocumentFile(), juce::File());
}

TEST_F (FileManagerBank, UnsavedChangesAreAskedAboutBeforeTheBankIsReplaced)
{
    bank().setName ("CHANGED");
    center.setModified();

    boxes.answerQuestion (MessageBoxes::cancel);
    manager->newBank();
    EXPECT_EQ (bank().getName(), "CHANGED");
    EXPECT_EQ (boxes.getShown().back().title, "Confirm");
    EXPECT_EQ (boxes.getShown().back().message, "Save changes?");

    // Yes saves first; a cancelled Save As answers false.
    boxes.answerQuestion (MessageBoxes::yes);
    manager->newBank();
    EXPECT_EQ (bank().getName(), "CHANGED");

    boxes.answerQuestion (MessageBoxes::yes);
    choosers.choose (file ("Saved"));
    manager->newBank();
    EXPECT_EQ (readName (file ("Saved.plvr_bank")), "CHANGED");
    EXPECT_EQ (bank().getName(), "INITBANK");
    EXPECT_EQ (center.getDocumentFile(), juce::File());

    bank().setName ("DROPPED");
    center.setModified();
    boxes.answerQuestion (MessageBoxes::no);
    EXPECT_TRUE (manager->mayDiscardChanges());

    center.clearModified();
    const auto questions = boxes.getShown().size();
    EXPECT_TRUE (manager->mayDiscardChanges());
    EXPECT_EQ (boxes.getShown().size(), questions) << "nothing modified, nothing asked";
}

TEST_F (FileManagerBank, WithoutAGuiOrWhileBusyTheQuestionIsNotAsked)
{
    center.setModified();
    FileDiscardChecker checker;
    int saves = 0;
    const auto save = [&saves] { ++saves; return true; };

    EXPECT_TRUE (checker.mayDiscardChanges (&center, false, save));
    EXPECT_TRUE (checker.mayDiscardChanges (nullptr, true, save));

    bool free = false;
    std::vector<bool> changes;
    ScriptedMessageBoxes busyBoxes (std::make_unique<TestBusyFlag> (free, changes));
    ScopedMessageBoxes installed (busyBoxes);
    busyBoxes.answerQuestion (MessageBoxes::no);
    EXPECT_FALSE (checker.mayDiscardChanges (&center, true, save));
    EXPECT_TRUE (busyBoxes.getShown().empty());
    EXPECT_EQ (saves, 0);
}

TEST_F (FileManagerBank, LoadingGlobalDataMarksTheDocumentModifiedAndAFailedReadKeepsTheOldData)
{
    GlobalData global;
    global.setField (GlobalData::midiRouting, 2);
    writeFile (global, file ("g.plvr_glob"));
    choosers.choose (file ("g.plvr_glob"));

    ASSERT_TRUE (manager->loadGlobalData());
    EXPECT_EQ (center.getGlobalData().getField (GlobalData::midiRouting), 2);
    EXPECT_TRUE (center.isModified()) << "the window title shows the mark although the bank is unchanged";
    EXPECT_EQ (choosers.getShown()[0].wildcard, "*.plvr_glob");

    global.setField (GlobalData::midiRouting, 1);
    writeFile (global, file ("cut.plvr_glob"));
    truncate (file ("cut.plvr_glob"), 0.9);
    choosers.choose (file ("cut.plvr_glob"));
    EXPECT_FALSE (manager->loadGlobalData());
    EXPECT_EQ (center.getGlobalData().getField (GlobalData::midiRouting), 2);
    EXPECT_EQ (errorKeys().size(), 1);

    choosers.choose (file ("saved"));
    ASSERT_TRUE (manager->saveGlobalData());
    GlobalData read;
    EXPECT_EQ (DataFileAccess::read (read, file ("saved.plvr_glob")), "");
    EXPECT_EQ (read.getField (GlobalData::midiRouting), 2);
}

TEST_F (FileManagerBank, TheBankMemoryIsReplacedOnlyByAWholeBackup)
{
    auto& memory = *center.getAllData();
    BankData stored;
    stored.setName ("STORED");
    ASSERT_TRUE (memory.getBankSet().storeFrom (2, stored));
    memory.getGlobalData().setField (GlobalData::metronome, 3);

    choosers.choose (file ("backup"));
    const auto backup = manager->chooseBackupFile();
    EXPECT_EQ (backup, file ("backup.plvr_all"));
    EXPECT_EQ (choosers.getShown().back().title, "Backup");
    ASSERT_TRUE (manager->writeBankMemory (backup));

    // Change the memory, then restore it from the backup.
    stored.setName ("CHANGED");
    memory.getBankSet().storeFrom (2, stored);
    memory.getGlobalData().setField (GlobalData::metronome, 0);
    choosers.choose (backup);
    ASSERT_TRUE (manager->restoreBankMemory());
    EXPECT_EQ (memory.getBankSet().getBank (2).getInformation().bankName, "STORED");
    EXPECT_EQ (memory.getGlobalData().getField (GlobalData::metronome), 3);

    // A backup cut short leaves every bank as it was.
    stored.setName ("CURRENT");
    memory.getBankSet().storeFrom (2, stored);
    truncate (backup, 0.6);
    EXPECT_FALSE (manager->readBankMemory (backup));
    EXPECT_EQ (errorKeys().size(), 1);
    BankData loaded;
    ASSERT_TRUE (memory.getBankSet().loadInto (2, loaded));
    EXPECT_EQ (loaded.getName(), "CURRENT");
    EXPECT_EQ (memory.getGlobalData().getField (GlobalData::metronome), 3);
}

TEST_F (FileManagerBank, BankFilesOfTheBankMemoryLeaveTheDocumentAlone)
{
    BankData bankToWrite;
    bankToWrite.setName ("TOWRITE");
    center.setModified();

    choosers.choose (file ("received"));
    const auto target = manager->chooseBankFileToReceive();
    EXPECT_EQ (choosers.getShown().back().title, "Receive Bank");
    ASSERT_TRUE (manager->writeBankFile (bankToWrite, target));
    EXPECT_TRUE (center.isModified());
    EXPECT_EQ (center.getDocumentFile(), juce::File());

    BankData read;
    read.setName ("BEFORE");
    ASSERT_TRUE (manager->readBankFile (target, read));
    EXPECT_EQ (read.getName(), "TOWRITE");

    truncate (target, 0.5);
    read.setName ("BEFORE");
    EXPECT_FALSE (manager->readBankFile (target, read));
    EXPECT_EQ (read.getName(), "BEFORE");
}

#include "TestSupport.h"
#include "support/ScriptedFileChoosers.h"
#include "support/ScriptedMessageBoxes.h"

#include "files/FileFormatManager.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
struct FileChoosersTest : ::testing::Test
{
    FileChoosersTest()
    {
        CZQVResource::getInstance();
        PreferencesData::getInstance();
    }

    ~FileChoosersTest() override
    {
        PreferencesData::releaseInstance();
        CZQVResource::releaseInstance();
    }

    static PreferencesData& preferences() { return *PreferencesData::getInstancePointer(); }

    static FileChoosers::Request bankRequest() { return { "Command_Name_BankData_SaveAs", { ".plvr_bank" }, ChooserFolder::bank }; }

    ScopedUserFolders folders;
    juce::File folder = folders.temp.folder;
};
}

TEST (FileFormatManager, TellsTypesByLowerCasedExtension)
{
    FileFormatManager formats;

    EXPECT_EQ (formats.getFileType (".plvr_all"), FileFormatManager::allData);
    EXPECT_EQ (formats.getFileType (".plvr_bank"), FileFormatManager::bankData);
    EXPECT_EQ (formats.getFileType (juce::File ("/x/BANK.PLVR_BANK")), FileFormatManager::bankData);
    EXPECT_EQ (formats.getFileType (".plvr_sample"), FileFormatManager::sampleData);
    EXPECT_EQ (formats.getFileType (".plvr_seq"), FileFormatManager::sequenceSet);
    EXPECT_EQ (formats.getFileType (".plvr_glob"), FileFormatManager::globalData);
    EXPECT_EQ (formats.getFileType (".mid"), FileFormatManager::smf);

    for (auto audio : { ".wav", ".aif", ".AIFF" })
        EXPECT_EQ (formats.getFileType (audio), FileFormatManager::importableAudio) << audio;

    // ".bwf" is an importer extension but no file type; the media framework
    // is never available here, so ".mp3" and ".mp4" are not audio either.
    for (auto unknown : { ".bwf", ".mp3", ".mp4", "", ".txt" })
        EXPECT_EQ (formats.getFileType (unknown), FileFormatManager::unknown) << unknown;

    EXPECT_EQ (FileFormatManager::typeOf (juce::File ("/x/a.plvr_bank")), FileFormatManager::unknown)
        << "without the shared instance every file is unknown";
}

TEST_F (FileChoosersTest, WildcardsJoinEachExtensionWithAStar)
{
    EXPECT_EQ (FileChoosers::wildcardFor ({ ".plvr_sample", ".wav", ".bwf" }), "*.plvr_sample;*.wav;*.bwf");
    EXPECT_EQ (FileChoosers::wildcardFor ({ ".mid" }), "*.mid");
}

TEST_F (FileChoosersTest, StartFoldersFallBackInAFixedOrderAndRememberTheChosenFolder)
{
    EXPECT_EQ (ChooserFolder::startFolder (ChooserFolder::backup), "");

    preferences().setChooserFolder (ChooserFolder::importablePattern, "/p6");
    preferences().setChooserFolder (ChooserFolder::global, "/p4");
    EXPECT_EQ (ChooserFolder::startFolder (ChooserFolder::bank), "/p4");
    preferences().setChooserFolder (ChooserFolder::pattern, "/p3");
    EXPECT_EQ (ChooserFolder::startFolder (ChooserFolder::backup), "/p3");
    preferences().setChooserFolder (ChooserFolder::backup, "/p0");
    EXPECT_EQ (ChooserFolder::startFolder (ChooserFolder::backup), "/p0");
    EXPECT_EQ (ChooserFolder::startFolder (ChooserFolder::sample), "/p3");

    const auto existing = folder.getChildFile ("a.plvr_sample");
    existing.replaceWithText ("x");
    ChooserFolder::remember (ChooserFolder::sample, existing);
    EXPECT_EQ (preferences().getChooserFolder (ChooserFolder::sample), folder.getFullPathName());

    const auto subfolder = folder.getChildFile ("sub");
    subfolder.createDirectory();
    ChooserFolder::remember (ChooserFolder::global, subfolder);
    EXPECT_EQ (preferences().getChooserFolder (ChooserFolder::global), subfolder.getFullPathName());

    ChooserFolder::remember (ChooserFolder::bank, subfolder.getChildFile ("new.plvr_bank"));
    EXPECT_EQ (preferences().getChooserFolder (ChooserFolder::bank), subfolder.getFullPathName());
}

TEST_F (FileChoosersTest, AChooserStartsInItsFolderUnderTheCommandsTitleAndKeepsTheNewFolder)
{
    ScriptedFileChoosers choosers;
    preferences().setChooserFolder (ChooserFolder::sample, "/samples");
    const auto chosen = folder.getChildFile ("sub/Kick.plvr_sample");
    chosen.create();
    choosers.choose (chosen);

    EXPECT_EQ (choosers.chooseFileToOpen ({ "Command_Name_Sample_Load", { ".plvr_sample", ".wav" }, ChooserFolder::sample }), chosen);

    ASSERT_EQ (choosers.getShown().size(), 1u);
    EXPECT_FALSE (choosers.getShown()[0].forSaving);
    EXPECT_EQ (choosers.getShown()[0].title, "Open Sample...");
    EXPECT_EQ (choosers.getShown()[0].folder, juce::File ("/samples"));
    EXPECT_EQ (choosers.getShown()[0].wildcard, "*.plvr_sample;*.wav");
    EXPECT_EQ (preferences().getChooserFolder (ChooserFolder::sample), chosen.getParentDirectory().getFullPathName());

    // A cancelled chooser keeps the folder.
    EXPECT_EQ (choosers.chooseFileToOpen ({ "Command_Name_Sample_Load", { ".plvr_sample" }, ChooserFolder::sample }), juce::File());
    EXPECT_EQ (preferences().getChooserFolder (ChooserFolder::sample), chosen.getParentDirectory().getFullPathName());
}

TEST_F (FileChoosersTest, ASaveAppendsAMissingExtensionAndAsksBeforeOverwritingThatName)
{
    ScriptedFileChoosers choosers;

    choosers.choose (folder.getChildFile ("Song"));
    EXPECT_EQ (choosers.chooseFileToSave (bankRequest()), folder.getChildFile ("Song.plvr_bank"));
    EXPECT_TRUE (choosers.getShown()[0].forSaving);
    EXPECT_TRUE (choosers.getQuestions().empty());

    choosers.choose (folder.getChildFile ("Kept.PLVR_BANK"));
    EXPECT_EQ (choosers.chooseFileToSave (bankRequest()), folder.getChildFile ("Kept.PLVR_BANK"))
        << "an extension in capitals is the extension";

    folder.getChildFile ("Song.plvr_bank").replaceWithText ("old");
    choosers.choose (folder.getChildFile ("Song"));
    EXPECT_EQ (choosers.chooseFileToSave (bankRequest()), juce::File()) << "Cancel abandons the command";
    ASSERT_EQ (choosers.getQuestions().size(), 1u);
    EXPECT_EQ (choosers.getQuestions()[0].title, "Overwrite");
    EXPECT_EQ (choosers.getQuestions()[0].message, "Overwrite Song.plvr_bank?");

    choosers.choose (folder.getChildFile ("Song"));
    choosers.answerOverwrite (true);
    EXPECT_EQ (choosers.chooseFileToSave (bankRequest()), folder.getChildFile ("Song.plvr_bank"));
}

TEST_F (FileChoosersTest, ChoosersWaitForTheBusyFlagAndHoldItWhileUp)
{
    bool free = false;
    std::vector<bool> changes;
    ScriptedFileChoosers choosers (std::make_unique<TestBusyFlag> (free, changes));
    choosers.choose (folder.getChildFile ("a.plvr_bank"));

    EXPECT_EQ (choosers.chooseFileToOpen (bankRequest()), juce::File());
    EXPECT_TRUE (choosers.getShown().empty());

    free = true;
    EXPECT_EQ (choosers.chooseFileToOpen (bankRequest()), folder.getChildFile ("a.plvr_bank"));
    EXPECT_EQ (changes, (std::vector<bool> { true, false }));
    EXPECT_TRUE (free);
}

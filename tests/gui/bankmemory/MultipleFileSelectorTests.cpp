#include "gui/main/MainWindowTestSupport.h"

#include "gui/bankmemory/MultipleFileSelectorComponent.h"
#include "gui/main/GuiController.h"

#include <gtest/gtest.h>

using namespace DialogTestSupport;

namespace
{
// The dialog as command 60 shows it: the GUI busy while it is up.
struct SelectorTest : ::testing::Test
{
    EnglishResource english;
    CommandTestSupport::CommandBench bench;
    CommandTestSupport::GuiBusyFlag busyFlag { bench.gui };
    ReceiveBankSelectionState& selection = bench.receiveSelection;
    std::unique_ptr<MultipleFileSelectorComponent> selector;

    juce::TextEditor& box (const juce::String& name) { return *dynamic_cast<juce::TextEditor*> (findNamed (*selector, name)); }

    void show()
    {
        selector = std::make_unique<MultipleFileSelectorComponent> (selection, bench.files.get(), &busyFlag);
        bench.gui.busy = true;
    }

    void pressOk() { click (*findButton (*selector, "OK")); }
    juce::String example() { return dynamic_cast<juce::Label*> (findNamed (*selector, "example"))->getText(); }
    juce::String lastMessage() { return bench.boxes.getShown().empty() ? juce::String() : bench.boxes.getShown().back().message; }
};
}

TEST_F (SelectorTest, TheExampleNamesTheFirstChosenBank)
{
    show();
    EXPECT_EQ (example(), "Bank_1.plvr_bank") << "bank A when none is chosen";

    selection.setSelected (2, true);
    selection.setSelected (5, true);
    show();
    box ("prefix").setText ("Kit", true);
    deliverPosted();
    EXPECT_EQ (example(), "Kit_3.plvr_bank");
}

TEST_F (SelectorTest, OkStoresTheFolderAndTheDefaultPrefix)
{
    const auto folder = bench.folders.temp.folder;
    selection.fileNamePrefix = "Old";
    show();
    box ("folder").setText (folder.getFullPathName());
    box ("prefix").setText ({});
    pressOk();

    EXPECT_EQ (selector->getResult(), 1);
    EXPECT_EQ (selection.targetFolder, folder);
    EXPECT_EQ (selection.fileNamePrefix, "Bank");
    EXPECT_EQ (bench.preferences.get()->getText (PreferencesData::lastBankReceiveTargetFolder), folder.getFullPathName());
    EXPECT_TRUE (bench.gui.busy) << "the dialog still holds the flag";
}

TEST_F (SelectorTest, AMissingFolderIsCreatedOnlyWhenTheUserAgrees)
{
    const auto folder = bench.folders.temp.folder.getChildFile ("new/banks");
    show();
    pressOk();
    EXPECT_EQ (lastMessage(), "Target folder is not specified.");
    EXPECT_EQ (selector->getResult(), -1);

    box ("folder").setText (folder.getFullPathName());
    pressOk();
    EXPECT_EQ (lastMessage(), "Specified folder does not exist. Create new folder?");
    EXPECT_FALSE (folder.exists());
    EXPECT_EQ (selector->getResult(), -1);

    bench.boxes.answerConfirmation (true);
    pressOk();
    EXPECT_TRUE (folder.isDirectory());
    EXPECT_EQ (selection.targetFolder, folder);
    EXPECT_EQ (selector->getResult(), 1);
    EXPECT_EQ (bench.boxes.getShown()[0].title, "Select folder");
}

TEST_F (SelectorTest, TheChooserFillsTheFolderBoxAndCancelChangesNothing)
{
    const auto chosen = bench.folders.temp.folder.getChildFile ("chosen");
    chosen.createDirectory();
    selection.targetFolder = bench.folders.temp.folder;
    show();
    bench.choosers.choose (chosen);
    click (*findButton (*selector, "..."));

    ASSERT_EQ (bench.choosers.getShown().size(), 1u);
    EXPECT_EQ (bench.choosers.getShown()[0].title, "Select folder");
    EXPECT_EQ (bench.choosers.getShown()[0].folder, bench.folders.temp.folder);
    EXPECT_EQ (box ("folder").getText(), chosen.getFullPathName());

    click (*findButton (*selector, "Cancel"));
    EXPECT_EQ (selector->getResult(), 0);
    EXPECT_EQ (selection.targetFolder, bench.folders.temp.folder);
}

TEST (GuiControllerReceiveFolder, RunsTheSelectorModallyAndNotWhileBusy)
{
    MainWindowBench window;
    GuiController gui { nullptr };
    gui.createMainWindow (window.services());
    ReceiveBankSelectionState selection;

    gui.setBusy (true);
    EXPECT_FALSE (gui.chooseReceiveFolder (selection));
    gui.setBusy (false);

    juce::String title;
    bool busyMeanwhile = false;
    juce::MessageManager::callAsync ([&]
    {
        auto* dialog = dynamic_cast<juce::DocumentWindow*> (juce::Component::getCurrentlyModalComponent());
        ASSERT_NE (dialog, nullptr);
        title = dialog->getName();
        busyMeanwhile = gui.isBusy();
        auto& content = *dialog->getContentComponent();
        dynamic_cast<juce::TextEditor*> (findNamed (content, "folder"))->setText (window.bench.folders.temp.folder.getFullPathName());
        findButton (content, "OK")->triggerClick();
    });

    EXPECT_TRUE (gui.chooseReceiveFolder (selection));
    EXPECT_EQ (title, "Receive Bank");
    EXPECT_TRUE (busyMeanwhile);
    EXPECT_FALSE (gui.isBusy());
    EXPECT_EQ (selection.targetFolder, window.bench.folders.temp.folder);
}

#include "gui/main/MainWindowTestSupport.h"

#include "app/MessageIds.h"
#include "commands/CommandIds.h"
#include "gui/bankmemory/BankMemoryWindow.h"
#include "gui/bankmemory/BankMemoryWriteBankComponent.h"
#include "gui/main/GuiController.h"

#include <gtest/gtest.h>

using namespace DialogTestSupport;

namespace
{
// Records the commands the command manager invokes.
struct InvocationRecorder : juce::ApplicationCommandManagerListener
{
    void applicationCommandInvoked (const juce::ApplicationCommandTarget::InvocationInfo& info) override
    {
        invoked.add (info.commandID);
    }
    void applicationCommandListChanged() override {}

    juce::Array<int> invoked;
};

struct BankMemoryWindowTest : ::testing::Test
{
    MainWindowBench window;
    GuiController gui { nullptr };

    BankMemoryWindowTest() { gui.createMainWindow (window.services()); }

    BankMemoryWindow& open()
    {
        gui.showBankMemoryWindow();
        return *gui.getBankMemoryWindow();
    }

    juce::Component& page (int index)
    {
        auto& tabs = open().getMainComponent().getTabs();
        tabs.setCurrentTabIndex (index);
        return *tabs.getTabContentComponent (index);
    }

    juce::ToggleButton& toggle (int pageIndex, int bank)
    {
        return *dynamic_cast<juce::ToggleButton*> (findNamed (page (pageIndex), "bankToggle" + juce::String (bank)));
    }

    juce::File bankFile (const juce::String& bankName)
    {
        const auto file = window.bench.folders.temp.folder.getChildFile (bankName + ".plvr_bank");
        BankData bank;
        bank.setName (bankName);
        window.bench.files->writeBankFile (bank, file);
        return file;
    }
};
}

TEST_F (BankMemoryWindowTest, ShowsFourTabsAndEachButtonStartsItsCommand)
{
    auto& tabs = open().getMainComponent().getTabs();
    EXPECT_EQ (tabs.getTabNames(), juce::StringArray ({ "Backup", "Restore", "Receive Bank", "Write Bank" }));
    EXPECT_EQ (tabs.getBounds(), juce::Rectangle<int> (8, 0, 504, 432));
    EXPECT_EQ (tabs.getCurrentTabIndex(), 0);
    EXPECT_EQ (gui.getBankMemoryWindow()->getName(), "Bank Memory Control");

    struct Case { int page; const char* button; juce::Rectangle<int> bounds; int command; };
    const Case cases[] = {
        { 0, "Backup",  { 16, 24, 112, 24 },  CommandIds::bankMemoryBackup },
        { 1, "Restore", { 16, 24, 112, 24 },  CommandIds::bankMemoryRestore },
        { 2, "Receive", { 16, 216, 104, 24 }, CommandIds::bankMemoryReceiveBank },
        { 3, "Write",   { 320, 280, 96, 24 }, CommandIds::bankMemoryWriteBank },
    };

    InvocationRecorder recorder;
    window.commandManager.addListener (&recorder);
    window.bench.receiveSelection.setSelected (0, true);
    window.bench.writeSelection.setSelected (0, true);

    for (auto& c : cases)
    {
        auto* button = findButton (page (c.page), c.button);
        ASSERT_NE (button, nullptr) << c.button;
        EXPECT_EQ (button->getBounds(), c.bounds) << c.button;
        click (*button);
        deliverPosted();   // the button hands the command on through the message loop
        EXPECT_EQ (recorder.invoked.getLast(), c.command) << c.button;
    }
    window.commandManager.removeListener (&recorder);
}

TEST_F (BankMemoryWindowTest, ChoicesLiveInTheSelectionsAndComeBackWhenReopened)
{
    click (toggle (2, 3));
    EXPECT_TRUE (window.bench.receiveSelection.isSelected (3));
    EXPECT_EQ (toggle (2, 3).getButtonText(), "Bank D");

    const auto file = bankFile ("KIT");
    window.bench.choosers.choose (file);
    dynamic_cast<BankMemoryWriteBankComponent&> (page (3)).chooseFile (5);

    MessageEngine::broadcast (MessageIds::bankMemoryWindowClosing);
    deliverPosted();
    ASSERT_EQ (gui.getBankMemoryWindow(), nullptr);

    EXPECT_TRUE (toggle (2, 3).getToggleState());
    EXPECT_TRUE (toggle (3, 5).getToggleState());
    EXPECT_EQ (toggle (3, 5).getButtonText(), "KIT");
    juce::Array<juce::TextEditor*> fileBoxes;
    for (auto* child : page (3).getChildren())
        if (child->getName() == "file name")
            fileBoxes.add (dynamic_cast<juce::TextEditor*> (child));
    ASSERT_EQ (fileBoxes.size(), 8);
    EXPECT_EQ (fileBoxes[5]->getText(), file.getFullPathName());
    EXPECT_EQ (window.bench.writeSelection.getFile (5), file);
}

TEST_F (BankMemoryWindowTest, AFileThatIsNoBankLeavesTheRowEmpty)
{
    const auto notABank = window.bench.folders.temp.folder.getChildFile ("Broken.plvr_bank");
    notABank.replaceWithText ("not a bank");
    window.bench.choosers.choose (bankFile ("FIRST"));
    window.bench.choosers.choose (notABank);

    auto& writePage = dynamic_cast<BankMemoryWriteBankComponent&> (page (3));
    writePage.chooseFile (2);
    writePage.chooseFile (2);

    EXPECT_FALSE (toggle (3, 2).getToggleState());
    EXPECT_EQ (toggle (3, 2).getButtonText(), "Bank C");
    EXPECT_FALSE (window.bench.writeSelection.isSelected (2));
    EXPECT_EQ (window.bench.writeSelection.getFile (2), juce::File());
    EXPECT_EQ (window.bench.writeSelection.getDisplayName (2), "");
    EXPECT_EQ (window.bench.boxes.getShown().size(), 1u) << "the reading's own message";
}

TEST_F (BankMemoryWindowTest, ClosingIsIgnoredWhileTheGuiIsBusy)
{
    auto& bankMemory = open();
    window.bench.gui.busy = true;
    bankMemory.closeButtonPressed();
    deliverPosted();
    ASSERT_NE (gui.getBankMemoryWindow(), nullptr);

    window.bench.gui.busy = false;
    bankMemory.closeButtonPressed();
    deliverPosted();
    EXPECT_EQ (gui.getBankMemoryWindow(), nullptr);
}

#include "gui/main/CommandManagerBench.h"

#include "commands/CommandIds.h"
#include "gui/main/MenuBarManager.h"

namespace
{
constexpr int separator = 0;

struct MenuBarManagerTest : ::testing::Test
{
    CommandManagerBench bench;
    MenuBarManager menus { bench.commandManager, bench };

    juce::PopupMenu menu (int index) { return menus.getMenuForIndex (index, {}); }

    // The command ids of the items, 0 for a separator.
    std::vector<int> itemsOf (int index)
    {
        std::vector<int> items;
        const auto popup = menu (index);
        for (juce::PopupMenu::MenuItemIterator it (popup); it.next();)
            items.push_back (it.getItem().isSeparator ? separator : it.getItem().itemID);
        return items;
    }

    const juce::PopupMenu::Item* findItem (const juce::PopupMenu& popup, int commandId)
    {
        for (juce::PopupMenu::MenuItemIterator it (popup); it.next();)
            if (it.getItem().itemID == commandId)
                return &it.getItem();
        return nullptr;
    }
};
}

using namespace CommandIds;

TEST_F (MenuBarManagerTest, NamesTheFourMenus)
{
    EXPECT_EQ (menus.getMenuBarNames(), juce::StringArray ({ "File", "Edit", "Communication", "Help" }));
    EXPECT_EQ (itemsOf (MenuBarManager::helpMenu), std::vector<int> ({ about }));
    EXPECT_EQ (itemsOf (MenuBarManager::communicationMenu),
               std::vector<int> ({ receiveCurrentBank, transmitCurrentBank, separator, receiveEditTarget, transmitEditTarget }));
}

TEST_F (MenuBarManagerTest, FileMenuOffersTheFilesOfThePage)
{
    bench.gui.page = 1;
    EXPECT_EQ (itemsOf (MenuBarManager::fileMenu),
               std::vector<int> ({ newBank, openBank, saveBank, saveBankAs, separator,
                                   openSample, saveSample, exportSampleWav, exportSampleAiff, separator,
                                   refreshFileBrowser, separator, showBankMemory, separator, quit }));

    bench.gui.page = 3;
    EXPECT_EQ (itemsOf (MenuBarManager::fileMenu),
               std::vector<int> ({ newBank, openBank, saveBank, saveBankAs, separator,
                                   openPatternSet, savePatternSet, importSmf, exportSmf, separator,
                                   refreshFileBrowser, separator, showBankMemory, separator, quit }));

    // Two separators in a row show as one.
    bench.gui.page = 2;
    EXPECT_EQ (itemsOf (MenuBarManager::fileMenu),
               std::vector<int> ({ newBank, openBank, saveBank, saveBankAs, separator,
                                   refreshFileBrowser, separator, showBankMemory, separator, quit }));
}

TEST_F (MenuBarManagerTest, EditMenuOffersTheSelectionCommandsOnTheSamplePage)
{
    bench.gui.page = 1;
    EXPECT_EQ (itemsOf (MenuBarManager::editMenu),
               std::vector<int> ({ undo, redo, separator, cut, copy, paste, clear, separator,
                                   selectAll, pointsToSelection, separator, selectionToPoints, separator, preferences }));

    bench.gui.page = 3;
    EXPECT_EQ (itemsOf (MenuBarManager::editMenu),
               std::vector<int> ({ undo, redo, separator, cut, copy, paste, clear, separator, preferences }));
}

TEST_F (MenuBarManagerTest, ItemsFollowTheCommandsNamesAndEnabling)
{
    auto edit = menu (MenuBarManager::editMenu);
    auto* undoItem = findItem (edit, undo);
    ASSERT_NE (undoItem, nullptr);
    EXPECT_EQ (undoItem->text, "Undo");
    EXPECT_FALSE (undoItem->isEnabled);

    bench.history.beginNewTransaction ("CutSample");
    struct Step : juce::UndoableAction
    {
        bool perform() override { return true; }
        bool undo() override { return true; }
    };
    bench.history.perform (new Step());

    edit = menu (MenuBarManager::editMenu);
    undoItem = findItem (edit, undo);
    EXPECT_EQ (undoItem->text, "Undo : Cut sample data");
    EXPECT_TRUE (undoItem->isEnabled);

    // Without a focused page the clipboard items keep their plain names.
    auto* cutItem = findItem (edit, cut);
    EXPECT_EQ (cutItem->text, "Cut");
    EXPECT_FALSE (cutItem->isEnabled);

    bench.gui.page = 2;
    auto communication = menu (MenuBarManager::communicationMenu);
    EXPECT_EQ (findItem (communication, receiveEditTarget)->text, "Receive Effect Data");
    EXPECT_EQ (findItem (communication, transmitEditTarget)->text, "Transmit Effect Data");

    bench.gui.busy = true;
    communication = menu (MenuBarManager::communicationMenu);
    EXPECT_FALSE (findItem (communication, receiveCurrentBank)->isEnabled);
}

#include "gui/main/MainWindowTestSupport.h"

#include "app/MessageIds.h"
#include "commands/CommandIds.h"
#include "data/DataCenter.h"
#include "gui/main/GuiController.h"
#include "gui/main/Host.h"

#include <gtest/gtest.h>

namespace
{
struct MainWindowTest : ::testing::Test
{
    MainWindowBench bench;

    // The waveform editor off, with different stored heights for both states.
    void storeHeights (int withoutEditor, int withEditor)
    {
        bench.preferences().setFlag (PreferencesData::showWaveformEditor, false);
        bench.preferences().setNumber (PreferencesData::windowHeight, withoutEditor);
        bench.preferences().setNumber (PreferencesData::windowHeightWithWaveformEditor, withEditor);
    }
};

// The Host with its main window, its preferences in a folder of the test.
struct HostWindowTest : ::testing::Test
{
    HostWindowTest()
    {
        host = Host::getInstance();
        host->createMainWindow();
        host->setCurrentPage (CommandGui::samplePage);
        window = host->getGuiController()->getMainWindow();
    }

    ~HostWindowTest() override { Host::releaseInstance(); }

    TestSupport::ScopedUserFolders folders;
    Host* host = nullptr;
    MainWindow* window = nullptr;
};
}

TEST_F (MainWindowTest, TheStoredHeightIsKeptWithinTheLimits)
{
    const int monitorHeight = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay()->totalArea.getHeight();
    const struct { int stored; int expected; } cases[] = { { 100, 420 }, { 420, 420 }, { 450, 450 }, { 5000, -1 } };

    for (auto& c : cases)
    {
        storeHeights (c.stored, 600);
        MainWindow window (bench.services());
        const int border = window.getContentComponentBorder().getTopAndBottom();
        const int expected = c.expected > 0 ? c.expected : monitorHeight - border;

        EXPECT_EQ (window.getMainComponent().getHeight(), expected) << "stored " << c.stored;
        EXPECT_EQ (window.getMainComponent().getWidth(), 794);
        EXPECT_EQ (window.getConstrainer()->getMinimumHeight(), 420 + border);
        EXPECT_EQ (window.getConstrainer()->getMaximumHeight(), monitorHeight);
        EXPECT_EQ (window.getConstrainer()->getMinimumWidth(), window.getConstrainer()->getMaximumWidth());
    }
}

TEST_F (MainWindowTest, AResizeWithoutTheWaveformEditorChangesOnlyItsHeight)
{
    storeHeights (450, 600);
    MainWindow window (bench.services());

    window.setSize (window.getWidth(), window.getHeight() + 30);
    EXPECT_EQ (bench.preferences().getNumber (PreferencesData::windowHeight), 480);
    EXPECT_EQ (bench.preferences().getNumber (PreferencesData::windowHeightWithWaveformEditor), 600);

    // Showing the editor applies its own height.
    bench.preferences().setFlag (PreferencesData::showWaveformEditor, true);
    window.handleBroadcast (MessageIds::showWaveformEditor);
    EXPECT_EQ (window.getMainComponent().getHeight(), 600);
    EXPECT_EQ (bench.preferences().getNumber (PreferencesData::windowHeight), 480);
}

// The program takes the menu bar away before it closes the window.
TEST_F (MainWindowTest, TheHeightIsNotStoredWhenTheMenuBarIsTakenAwayAtTheEnd)
{
    struct OneMenu : juce::MenuBarModel
    {
        juce::StringArray getMenuBarNames() override { return { "File" }; }
        juce::PopupMenu getMenuForIndex (int, const juce::String&) override { return {}; }
        void menuItemSelected (int, int) override {}
    } menu;

    storeHeights (450, 600);
    auto services = bench.services();
    services.menuBar = &menu;
    MainWindow window (services);

    window.removeMenuBar();
    EXPECT_GT (window.getMainComponent().getHeight(), 450);
    EXPECT_EQ (bench.preferences().getNumber (PreferencesData::windowHeight), 450);
}

TEST_F (MainWindowTest, TheCloseButtonAsksAboutUnsavedChangesAndCancelKeepsTheProgram)
{
    MainWindow window (bench.services());
    bench.bench.dataCenter->setModified();

    window.closeButtonPressed();
    ASSERT_EQ (bench.bench.boxes.getShown().size(), 1u);
    EXPECT_EQ (bench.bench.boxes.getShown()[0].title, "Confirm");
    EXPECT_EQ (bench.bench.quitRequests, 0) << "Cancel";

    bench.bench.gui.busy = true;
    window.closeButtonPressed();
    EXPECT_EQ (bench.bench.boxes.getShown().size(), 1u) << "nothing while a dialog is up";
    bench.bench.gui.busy = false;

    bench.bench.boxes.answerQuestion (MessageBoxes::no);
    window.closeButtonPressed();
    EXPECT_EQ (bench.bench.quitRequests, 1);
}

TEST_F (HostWindowTest, TheTitleShowsTheModifiedMarkUntilTheEditIsUndone)
{
    const juce::String untitled ("Plovara Editor/Librarian - Untitled");
    ASSERT_EQ (window->getName(), untitled);

    auto* tempo = dynamic_cast<juce::Slider*> (DialogTestSupport::findNamed (*window, "Tempo"));
    ASSERT_NE (tempo, nullptr);
    tempo->setValue (133.3, juce::sendNotificationSync);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return window->getName() == untitled + " *"; })) << window->getName();
    EXPECT_EQ (host->getDataCenter()->getEditBank().getTempo(), 1333);

    host->getUndoManager()->undo();
    EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return window->getName() == untitled; })) << window->getName();
}

TEST_F (HostWindowTest, TabsSwitchPagesExceptWhileTheAboutBoxIsUp)
{
    auto* effectTab = dynamic_cast<juce::Button*> (DialogTestSupport::findNamed (*window, "EffectTab"));
    ASSERT_NE (effectTab, nullptr);
    auto* gui = host->getGuiController();

    ASSERT_TRUE (host->getCommandManager()->invokeDirectly (CommandIds::about, false));
    ASSERT_TRUE (gui->isMainComponentModal());
    DialogTestSupport::click (*effectTab);
    EXPECT_EQ (gui->getCurrentPage(), CommandGui::samplePage);

    window->getMainComponent().closeAboutBox();
    DialogTestSupport::click (*effectTab);
    EXPECT_EQ (gui->getCurrentPage(), CommandGui::effectPage);
    EXPECT_EQ (window->getMainComponent().getPage(), CommandGui::effectPage);
    EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return effectTab->getToggleState(); }));
}

#include "TestSupport.h"

#include "gui/dialogs/UsbSessionDialog.h"
#include "gui/main/GuiController.h"
#include "gui/main/Host.h"
#include "app/MessageEngine.h"
#include "app/UserFolders.h"
#include "commands/CommandIds.h"
#include "gui/main/MenuBarManager.h"
#include "data/AudioBuffer.h"
#include "data/BankData.h"
#include "data/DataCenter.h"
#include "gui/main/MainWindow.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"
#include "resources/MessageBoxes.h"
#include "resources/StringTable.h"
#include "support/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

namespace
{
// The Host writes the user's preferences: keep them in a folder of the test.
struct HostTest : ::testing::Test
{
    TestSupport::ScopedUserFolders folders;
    const juce::File& tempFolder() const { return folders.temp.folder; }
};

// The Host's device is an emulated Plovara while it lives.
struct ScopedDeviceChoice
{
    ScopedDeviceChoice() { setenv ("PLOVARA_DEVICE", "virtual", 1); }
    ~ScopedDeviceChoice() { unsetenv ("PLOVARA_DEVICE"); }
};
}

TEST_F (HostTest, BuildsItsServicesAndReleasesThemInOrder)
{
    auto* host = Host::getInstance();
    ASSERT_NE (host, nullptr);
    EXPECT_TRUE (host->isReady());
    EXPECT_NE (MessageEngine::getInstancePointer(), nullptr);
    EXPECT_NE (AudioBufferIdManager::getInstancePointer(), nullptr);
    EXPECT_NE (CZQVResource::getInstancePointer(), nullptr);
    EXPECT_NE (MessageBoxes::getCurrent(), nullptr);
    EXPECT_EQ (host->getParameterStrings()->getItem ("OnOff", 1), "On");
    ASSERT_NE (host->getDataCenter(), nullptr);
    EXPECT_NE (host->getPlayerManager(), nullptr);
    EXPECT_NE (host->getSessionManager(), nullptr);
    EXPECT_EQ (host->getDataCenter()->getEditBank().getName(), "INITBANK");

    Host::releaseInstance();
    EXPECT_EQ (Host::getInstancePointer(), nullptr);
    EXPECT_EQ (MessageEngine::getInstancePointer(), nullptr);
    EXPECT_EQ (AudioBufferIdManager::getInstancePointer(), nullptr);
    EXPECT_EQ (PreferencesData::getInstancePointer(), nullptr);
    EXPECT_EQ (CZQVResource::getInstancePointer(), nullptr);
    EXPECT_EQ (MessageBoxes::getCurrent(), nullptr);

    // Shutting down wrote the global settings and the preferences, with the
    // audio device settings among them.
    const auto settingsFolder = tempFolder().getChildFile ("Tavir/Plovara Editor");
    EXPECT_TRUE (settingsFolder.getChildFile ("GlobalSettings.plvr_glob").existsAsFile());
    auto prefs = juce::XmlDocument::parse (settingsFolder.getChildFile ("PreferencesData.xml"));
    ASSERT_NE (prefs, nullptr);
    EXPECT_NE (prefs->getChildByName ("AudioDeviceSettings"), nullptr);
}

TEST_F (HostTest, UndoChangesBroadcastDataChanged)
{
    auto* host = Host::getInstance();

    struct Counter : juce::MessageListener
    {
        void handleMessage (const juce::Message& m) override
        {
            if (auto* b = dynamic_cast<const BroadcastMessage*> (&m); b != nullptr && b->id == 1)
                ++count;
        }
        int count = 0;
    } counter;
    MessageEngine::getInstancePointer()->addListener (&counter);

    struct Nothing : juce::UndoableAction
    {
        bool perform() override { return true; }
        bool undo() override { return true; }
    };
    host->getUndoManager()->beginNewTransaction();
    host->getUndoManager()->perform (new Nothing());

    EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return counter.count > 0; }));
    MessageEngine::getInstancePointer()->removeListener (&counter);
    Host::releaseInstance();
}

TEST_F (HostTest, PagesOutsideZeroToFourAreIgnored)
{
    auto* host = Host::getInstance();
    host->setCurrentPage (CommandGui::samplePage);
    EXPECT_EQ (host->getGuiController()->getCurrentPage(), 1);
    host->setCurrentPage (5);
    host->setCurrentPage (-1);
    EXPECT_EQ (host->getGuiController()->getCurrentPage(), 1);
    host->setCurrentPage (CommandGui::patternPage);
    EXPECT_EQ (host->getGuiController()->getCurrentPage(), 3);
    Host::releaseInstance();
}

TEST_F (HostTest, RegistersTheCommandsWithTheirKeysAndMenus)
{
    auto* host = Host::getInstance();
    auto* commands = host->getCommandManager();

    EXPECT_NE (commands->getCommandForID (CommandIds::quit), nullptr);
    EXPECT_EQ (commands->getNumCommands(), 66);
    EXPECT_TRUE (commands->getKeyMappings()->containsMapping (CommandIds::undo,
                                                               juce::KeyPress ('z', juce::ModifierKeys::commandModifier, 0)));
    ASSERT_NE (host->getMenuBarManager(), nullptr);
    EXPECT_EQ (host->getMenuBarManager()->getMenuBarNames(),
               juce::StringArray ("File", "Edit", "Communication", "Help"));
    Host::releaseInstance();
}

// The session window keeps the program busy while the session runs; a
// session that succeeds closes it by itself.
TEST_F (HostTest, ASessionCommandKeepsTheProgramBusyUntilTheSessionEnds)
{
    const ScopedDeviceChoice onVirtualDevice;
    auto* host = Host::getInstance();
    ScriptedMessageBoxes boxes;
    const ScopedMessageBoxes scripted (boxes);
    auto* gui = host->getGuiController();
    // Commands reach the action manager through the main window's chain.
    ASSERT_TRUE (host->createMainWindow());

    ASSERT_TRUE (host->getCommandManager()->invokeDirectly (CommandIds::receiveGlobal, false));
    EXPECT_TRUE (gui->isBusy());
    ASSERT_NE (gui->getSessionDialog(), nullptr);
    EXPECT_EQ (gui->getSessionDialog()->getName(), "Receive Global Data");

    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return ! gui->isBusy(); }));
    EXPECT_EQ (gui->getSessionDialog(), nullptr);
    EXPECT_TRUE (boxes.getShown().empty()) << boxes.getShown().front().key;
    Host::releaseInstance();
}

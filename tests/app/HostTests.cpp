#include "TestSupport.h"

#include "app/GuiController.h"
#include "app/Host.h"
#include "app/MessageEngine.h"
#include "data/AudioBuffer.h"
#include "gui/main/MainWindow.h"

#include <gtest/gtest.h>

TEST (Host, BuildsItsServicesAndReleasesThemInOrder)
{
    auto* host = Host::getInstance();
    ASSERT_NE (host, nullptr);
    EXPECT_TRUE (host->isReady());
    EXPECT_NE (MessageEngine::getInstancePointer(), nullptr);
    EXPECT_NE (AudioBufferIdManager::getInstancePointer(), nullptr);

    Host::releaseInstance();
    EXPECT_EQ (Host::getInstancePointer(), nullptr);
    EXPECT_EQ (MessageEngine::getInstancePointer(), nullptr);
    EXPECT_EQ (AudioBufferIdManager::getInstancePointer(), nullptr);
}

TEST (Host, UndoChangesBroadcastDataChanged)
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

TEST (Host, PagesOutsideZeroToFourAreIgnored)
{
    auto* host = Host::getInstance();
    host->setCurrentPage (Host::samplePage);
    EXPECT_EQ (host->getGuiController()->getCurrentPage(), 1);
    host->setCurrentPage (5);
    host->setCurrentPage (-1);
    EXPECT_EQ (host->getGuiController()->getCurrentPage(), 1);
    host->setCurrentPage (Host::patternPage);
    EXPECT_EQ (host->getGuiController()->getCurrentPage(), 3);
    Host::releaseInstance();
}

TEST (MainWindow, OpensUntitledAtTheFixedWidth)
{
    auto* host = Host::getInstance();
    ASSERT_TRUE (host->getGuiController()->createMainWindow());
    auto* window = host->getGuiController()->getMainWindow();
    EXPECT_EQ (window->getName(), "Plovara Editor - Untitled");
    EXPECT_EQ (window->getContentComponent()->getWidth(), 794);
    EXPECT_EQ (MainWindow::buildTitle ("Plovara Editor", "live.plvr_bank", true), "Plovara Editor - live.plvr_bank *");
    Host::releaseInstance();
}

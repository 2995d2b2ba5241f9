#include "device/DeviceTestSupport.h"

#include "app/Exception.h"
#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "device/DeviceInquiry.h"
#include "device/UsbSessionManager.h"

#include <atomic>
#include <thread>

using namespace DeviceTestSupport;
using Id = SysExCommand::MessageId;

namespace
{
// Records what the manager relays, and on which thread.
struct RelayLog : UsbSessionListener
{
    std::vector<juce::String> events;
    bool allOnMessageThread = true;
    std::vector<double> progress;
    int finished = 0;
    bool lastResult = false;

    void note (const juce::String& event)
    {
        allOnMessageThread = allOnMessageThread && juce::MessageManager::getInstance()->isThisTheMessageThread();
        events.push_back (event);
    }

    void sessionStarted (UsbSession*) override { note ("started"); }
    void sessionProgress (UsbSession*, double fraction) override
    {
        note ("progress");
        progress.push_back (fraction);
    }
    void sessionStatus (UsbSession*, const juce::String& text) override { note ("status " + text); }
    void sessionFinished (UsbSession*, bool success) override
    {
        note (success ? "finished ok" : "finished failed");
        ++finished;
        lastResult = success;
    }
};

struct BroadcastLog : juce::MessageListener
{
    std::vector<int> arguments;

    void handleMessage (const juce::Message& message) override
    {
        if (auto* m = dynamic_cast<const BroadcastMessage*> (&message); m != nullptr && m->id == MessageIds::sessionManagerEvent)
            arguments.push_back (m->intArgument);
    }
};

// Fetches sample 0 over and over until stopped, as a transfer of many items.
struct RepeatedSampleFetch : UsbSession, UsbAccessCallback
{
    std::atomic<int> itemsDone { 0 };

    void transferProgress (UsbAccess&, int, double, bool) override {}

    bool execute() override
    {
        auto* access = getCurrentAccess();
        access->setTimeout (getReplyTimeout());

        while (! shouldStop())
        {
            SysExCommand header (Id::sampleHeaderRequest);
            access->expectReplies ({ Id::sampleHeader }, this);
            access->send (header, 0, nullptr);
            auto reply = access->waitForMessage();

            access->expectReply (Id::sampleData, 65536, this);
            access->send (SysExCommand (Id::sampleDataRequest), 0, nullptr);
            auto data = access->waitForMessage();

            if (reply == nullptr || data == nullptr)
            {
                setErrorKey ("Error_UsbTimeout");
                access->stop();
                return false;
            }

            setProgress (1.0 - 1.0 / (++itemsDone + 1));
        }

        access->stop();
        return true;
    }
};

struct ManagerFixture : VirtualDeviceFixture
{
    ManagerFixture()
    {
        engine = MessageEngine::getInstance();
        engine->addListener (&broadcasts);
        DeviceChangeNotifier::getInstance();
        manager = std::make_unique<UsbSessionManager>();
        manager->setPortKind (UsbSessionManager::virtualPort);
        manager->addListener (&log);

        auto bank = device->getBank (0);
        bank.samples[0].header = { 0x00, 0x00, 0x01, 0x00, 0xb0, 0x04, 0x01, 0xff };
        bank.samples[0].pcm.setSize (65536, true);
        device->setBank (0, bank);
    }

    ~ManagerFixture() override
    {
        manager->removeListener (&log);
        manager.reset();
        DeviceChangeNotifier::releaseInstance();
        engine->removeListener (&broadcasts);
        MessageEngine::releaseInstance();
    }

    void setFaults (std::function<void (VirtualPlovara::Faults&)> change)
    {
        auto faults = device->getFaults();
        change (faults);
        device->setFaults (faults);
    }

    template <typename SessionType>
    SessionType* start (std::unique_ptr<SessionType> session)
    {
        auto* raw = session.get();
        return manager->startSession (std::move (session)) ? raw : nullptr;
    }

    bool waitForFinish (int count = 1)
    {
        return TestSupport::dispatchUntil ([&] { return log.finished >= count; }, 10000);
    }

    int parameterChangesSeen() const
    {
        int count = 0;
        for (auto& message : device->getReceivedMessages())
            count += message.messageId == Id::parameterChange ? 1 : 0;
        return count;
    }

    MessageEngine* engine = nullptr;
    BroadcastLog broadcasts;
    RelayLog log;
    std::unique_ptr<UsbSessionManager> manager;
};
}

TEST_F (ManagerFixture, AnInquiryReportsThroughTheMessageThread)
{
    auto* inquiry = start (std::make_unique<DeviceInquiry>());
    ASSERT_NE (inquiry, nullptr);
    ASSERT_TRUE (waitForFinish());

    EXPECT_TRUE (log.lastResult);
    EXPECT_TRUE (log.allOnMessageThread);
    EXPECT_EQ (log.events, (std::vector<juce::String> { "started", "progress", "finished ok" }));
    ASSERT_FALSE (log.progress.empty());
    EXPECT_EQ (log.progress.back(), 1.0);
    EXPECT_EQ (inquiry->getChannel(), 0);
    EXPECT_EQ (inquiry->getFamilyCode(), 0x7f);
    EXPECT_TRUE (inquiry->getErrorKey().isEmpty());
    EXPECT_TRUE (manager->isDeviceConnected());
}

TEST_F (ManagerFixture, ASecondSessionIsRefusedWhileOneRuns)
{
    auto* running = start (std::make_unique<RepeatedSampleFetch>());
    ASSERT_NE (running, nullptr);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return running->itemsDone > 0; }));

    EXPECT_FALSE (manager->startSession (std::make_unique<DeviceInquiry>()));
    EXPECT_EQ (manager->getCurrentSession(), running);

    // Cancelled with time to spare, the item in progress completes and the
    // session ends of itself.
    manager->cancelSession (5000);
    ASSERT_TRUE (waitForFinish());
    EXPECT_TRUE (log.lastResult);
    EXPECT_EQ (log.finished, 1);
    EXPECT_FALSE (running->isRunning());
}

TEST_F (ManagerFixture, AnAbandonedSessionEndsAtOnceAndFreesTheDevice)
{
    setFaults ([] (auto& f) { f.replyDelayMs = 300; });
    auto session = std::make_unique<RepeatedSampleFetch>();
    session->setReplyTimeout (10000);
    ASSERT_NE (start (std::move (session)), nullptr);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return ! log.events.empty(); }));

    manager->cancelSession (50);
    ASSERT_TRUE (waitForFinish());
    EXPECT_FALSE (log.lastResult);
    EXPECT_FALSE (manager->getCurrentSession()->isRunning());

    // The reply the device still owed the abandoned session may reach the
    // next request first and fail it; the one after that must succeed.
    setFaults ([] (auto& f) { f.replyDelayMs = 0; });
    auto* inquiry = start (std::make_unique<DeviceInquiry>());
    ASSERT_NE (inquiry, nullptr);
    ASSERT_TRUE (waitForFinish (2));
    EXPECT_EQ (log.finished, 2) << "the abandoned session was reported finished once";

    if (! log.lastResult)
    {
        EXPECT_EQ (inquiry->getErrorKey(), "Error_UsbFailedToReceiveDeviceInquiryReply");
        inquiry = start (std::make_unique<DeviceInquiry>());
        ASSERT_NE (inquiry, nullptr);
        ASSERT_TRUE (waitForFinish (3));
    }
    EXPECT_TRUE (log.lastResult) << inquiry->getErrorKey();
}

TEST_F (ManagerFixture, FailuresCarryTheirKeys)
{
    setFaults ([] (auto& f) { f.dropReplies = 1; });
    auto timingOut = std::make_unique<DeviceInquiry>();
    timingOut->setReplyTimeout (100);
    auto* first = start (std::move (timingOut));
    ASSERT_TRUE (waitForFinish());
    EXPECT_FALSE (log.lastResult);
    EXPECT_EQ (first->getErrorKey(), "Error_UsbTimeout");

    setFaults ([] (auto& f) { f.foreignFamily = true; });
    auto* second = start (std::make_unique<DeviceInquiry>());
    ASSERT_TRUE (waitForFinish (2));
    EXPECT_EQ (second->getErrorKey(), "Error_UsbTargetDeviceIsNotPlovara");
}

TEST_F (ManagerFixture, OpeningThePortThrowsTheReason)
{
    // Another program holds the device's pipes.
    openAccess();
    try
    {
        manager->openPort();
        FAIL() << "the device is in use";
    }
    catch (const Exception& e)
    {
        EXPECT_EQ (e.getMessageKey(), "Error_UsbFailedToOpenDevice");
    }
    access.close();

    VirtualUsbBus::getInstance().unplug (*device);
    try
    {
        manager->startSession (std::make_unique<DeviceInquiry>());
        FAIL() << "no device";
    }
    catch (const Exception& e)
    {
        EXPECT_EQ (e.getMessageKey(), "Error_UsbDeviceNotFound");
    }

    EXPECT_FALSE (manager->setPortKind (UsbSessionManager::socketPort));
    EXPECT_EQ (manager->getAccess(), nullptr);
    EXPECT_FALSE (manager->openPort());
}

TEST_F (ManagerFixture, ParameterChangesGoOnlyWhileNoSessionRuns)
{
    manager->sendParameterChange (16, 25, 3);
    EXPECT_EQ (parameterChangesSeen(), 0) << "the port is not open yet";

    ASSERT_TRUE (manager->openPort());
    manager->sendParameterChange (16, 25, 3);
    EXPECT_EQ (parameterChangesSeen(), 1);
    EXPECT_EQ (device->getBank (0).samples[0].parameters[24], 3);

    auto* running = start (std::make_unique<RepeatedSampleFetch>());
    ASSERT_NE (running, nullptr);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return running->itemsDone > 0; }));
    manager->sendParameterChange (16, 25, 4);
    manager->cancelSession (5000);
    ASSERT_TRUE (waitForFinish());
    EXPECT_EQ (parameterChangesSeen(), 1);

    manager->setParameterChangeSettings ([] { return false; }, [] { return 0; });
    manager->sendParameterChange (16, 25, 5);
    EXPECT_EQ (parameterChangesSeen(), 1);

    // The change goes on the channel the device listens on.
    auto global = device->getGlobalData();
    global[1] = 9;
    device->setGlobalData (global);
    manager->setParameterChangeSettings ([] { return true; }, [] { return 9; });
    manager->sendParameterChange (16, 25, 6);
    EXPECT_EQ (device->getBank (0).samples[0].parameters[24], 6);
}

TEST_F (ManagerFixture, UnpluggingClosesThePortAndPluggingOpensIt)
{
    ASSERT_TRUE (manager->openPort());
    ASSERT_TRUE (manager->isPortOpen());

    VirtualUsbBus::getInstance().unplug (*device);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return ! broadcasts.arguments.empty(); }));
    EXPECT_FALSE (manager->isPortOpen());
    EXPECT_FALSE (manager->getAccess()->isOpen());

    VirtualUsbBus::getInstance().plug (device);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return broadcasts.arguments.size() >= 2; }));
    EXPECT_EQ (broadcasts.arguments, (std::vector<int> { 0, 1 }));
    EXPECT_TRUE (manager->isPortOpen());
    EXPECT_TRUE (manager->isDeviceConnected());
}

TEST_F (ManagerFixture, UnpluggingDuringATransferEndsInATimeout)
{
    auto session = std::make_unique<RepeatedSampleFetch>();
    session->setReplyTimeout (200);
    auto* running = start (std::move (session));
    ASSERT_NE (running, nullptr);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return running->itemsDone > 0; }));

    setFaults ([] (auto& f) { f.unplugAfterBytes = 1000; });
    ASSERT_TRUE (waitForFinish());
    EXPECT_FALSE (log.lastResult);
    EXPECT_EQ (running->getErrorKey(), "Error_UsbTimeout");
}

TEST (DeviceChangeNotifier, TellsItsListenersInOrderOnTheMessageThread)
{
    struct Listener : DeviceChangeNotifierListener
    {
        Listener (std::vector<int>& journal, int number) : log (journal), id (number) {}
        void deviceChanged() override
        {
            onMessageThread = juce::MessageManager::getInstance()->isThisTheMessageThread();
            log.push_back (id);
        }
        std::vector<int>& log;
        int id;
        bool onMessageThread = false;
    };

    auto* notifier = DeviceChangeNotifier::getInstance();
    std::vector<int> log;
    Listener first (log, 1), second (log, 2);
    notifier->addListener (&second);
    notifier->addListener (&first);

    auto device = std::make_shared<VirtualPlovara>();
    std::thread plugger ([&] { VirtualUsbBus::getInstance().plug (device); });
    plugger.join();
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return log.size() >= 2; }));
    EXPECT_EQ (log, (std::vector<int> { 2, 1 }));
    EXPECT_TRUE (first.onMessageThread && second.onMessageThread);

    notifier->removeListener (&second);
    VirtualUsbBus::getInstance().unplug (*device);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return log.size() >= 3; }));
    EXPECT_EQ (log.back(), 1);

    notifier->removeListener (&first);
    DeviceChangeNotifier::releaseInstance();
}

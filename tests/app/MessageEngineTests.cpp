#include "TestSupport.h"

#include "app/MessageEngine.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
struct RecordingListener : juce::MessageListener
{
    RecordingListener (std::vector<juce::String>& log, juce::String who) : journal (log), name (std::move (who)) {}

    void handleMessage (const juce::Message& message) override
    {
        if (auto* m = dynamic_cast<const BroadcastMessage*> (&message))
        {
            journal.push_back (name + ":" + juce::String (m->id) + "/" + juce::String (m->intArgument));
            if (onMessage)
                onMessage();
        }
    }

    std::vector<juce::String>& journal;
    juce::String name;
    std::function<void()> onMessage;
};

struct EngineFixture : ::testing::Test
{
    EngineFixture() { engine = MessageEngine::getInstance(); }
    ~EngineFixture() override { MessageEngine::releaseInstance(); }
    MessageEngine* engine;
    std::vector<juce::String> log;
};
}

TEST_F (EngineFixture, DeliversToEveryListenerInRegistrationOrder)
{
    RecordingListener a (log, "a"), b (log, "b"), c (log, "c");
    engine->addListener (&b);
    engine->addListener (&a);
    engine->addListener (&c);

    engine->post (1, 7);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return log.size() == 3; }));
    EXPECT_EQ (log, (std::vector<juce::String> { "b:1/7", "a:1/7", "c:1/7" }));

    engine->removeListener (&c);
    engine->removeListener (&c);   // removing an absent listener is harmless
    engine->removeListener (&b);
}

TEST_F (EngineFixture, PostsFromOtherThreadsArriveOnTheMessageThread)
{
    RecordingListener a (log, "a");
    bool onMessageThread = true;
    a.onMessage = [&] { onMessageThread = onMessageThread && juce::MessageManager::getInstance()->isThisTheMessageThread(); };
    engine->addListener (&a);

    std::thread poster ([this] { for (int i = 0; i < 50; ++i) engine->post (18, i); });
    poster.join();

    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return log.size() == 50; }));
    EXPECT_TRUE (onMessageThread);
    EXPECT_EQ (log.front(), "a:18/0");
    EXPECT_EQ (log.back(), "a:18/49");
    engine->removeListener (&a);
}

TEST_F (EngineFixture, ListenerRemovedDuringDeliveryIsNotCalled)
{
    RecordingListener a (log, "a"), b (log, "b");
    a.onMessage = [&] { engine->removeListener (&b); };
    engine->addListener (&a);
    engine->addListener (&b);

    engine->post (1);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return log.size() >= 1; }));
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    EXPECT_EQ (log, (std::vector<juce::String> { "a:1/0" }));
    engine->removeListener (&a);
}

TEST_F (EngineFixture, ForeignMessagesAreDropped)
{
    RecordingListener a (log, "a");
    engine->addListener (&a);
    engine->postMessage (new BroadcastMessage (1));   // not wrapped by the engine
    engine->post (4);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return ! log.empty(); }));
    EXPECT_EQ (log, (std::vector<juce::String> { "a:4/0" }));
    engine->removeListener (&a);
}

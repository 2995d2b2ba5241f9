#include "TestSupport.h"

#include "device/MessageThreadHandOver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>

namespace
{
// Performs a job from another thread, as a session does.
struct Performer
{
    Performer (MessageThreadHandOver& handOver, std::atomic<int>& runs, std::atomic<bool>& stop)
        : thread ([&]
        {
            result = handOver.perform ([&] { ++runs; return true; }, [&] { return stop.load(); });
            finished = true;
        })
    {
    }

    ~Performer() { thread.join(); }

    std::optional<bool> result;
    std::atomic<bool> finished { false };
    std::thread thread;
};
}

TEST (MessageThreadHandOver, RunsTheJobOnTheMessageThreadAndAnswersItsResult)
{
    MessageThreadHandOver handOver;
    std::atomic<int> runs { 0 };
    std::atomic<bool> stop { false };
    {
        Performer performer (handOver, runs, stop);
        ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return performer.finished.load(); }));
        EXPECT_EQ (performer.result, std::optional<bool> (true));
    }
    EXPECT_EQ (runs, 1);

    // On the message thread itself the job runs at once.
    EXPECT_EQ (handOver.perform ([] { return false; }, [] { return false; }), std::optional<bool> (false));
}

TEST (MessageThreadHandOver, AnAbandonedJobNeverRunsAndItsWaiterGoesOn)
{
    MessageThreadHandOver handOver;
    std::atomic<int> runs { 0 };
    std::atomic<bool> stop { false };
    {
        Performer performer (handOver, runs, stop);

        // The message thread blocks here as in a cancel: it never looks at
        // its queue while the performer waits.
        juce::Thread::sleep (20);
        stop = true;
        handOver.abandon();
        while (! performer.finished)
            std::this_thread::yield();
        EXPECT_EQ (performer.result, std::nullopt);
    }

    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    EXPECT_EQ (runs, 0);

    // Once stopped, nothing is handed over any more.
    Performer late (handOver, runs, stop);
    while (! late.finished)
        std::this_thread::yield();
    EXPECT_EQ (late.result, std::nullopt);
}

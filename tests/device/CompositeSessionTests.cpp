#include "app/Exception.h"
#include "device/CompositeSession.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace
{
// An item that reports half its progress and then succeeds or fails; a
// blocking one waits until it is cancelled.
struct FakeItem : UsbSession
{
    explicit FakeItem (juce::String failureKey = {}, bool blocks = false)
        : key (std::move (failureKey)), blocking (blocks) {}

    bool execute() override
    {
        setProgress (0.5);
        started = true;

        while (blocking && ! shouldStop())
            juce::Thread::sleep (1);

        if (key.isEmpty())
            return true;

        setErrorKey (key);
        return false;
    }

    juce::String key;
    bool blocking;
    std::atomic<bool> started { false };
};

// Runs its items in turn, each a quarter of the progress.
struct FourItems : CompositeSession
{
    std::vector<std::unique_ptr<FakeItem>> items;
    std::atomic<int> itemsRun { 0 };
    std::vector<UsbSession*> preparedForCancel;

    bool execute() override
    {
        try
        {
            for (size_t i = 0; i < items.size() && ! isStopping(); ++i)
            {
                runInner (*items[i], 0.25 * (double) i, 0.25);
                ++itemsRun;
            }
            return true;
        }
        catch (const Exception& e)
        {
            setErrorKey (e.getMessageKey());
            return false;
        }
    }

    void prepareInnerCancel (UsbSession& inner) override { preparedForCancel.push_back (&inner); }
};

struct ProgressLog : UsbSessionListener
{
    std::vector<double> progress;
    int finished = 0;
    bool result = false;

    void sessionStarted (UsbSession*) override {}
    void sessionProgress (UsbSession*, double fraction) override { progress.push_back (fraction); }
    void sessionStatus (UsbSession*, const juce::String&) override {}
    void sessionFinished (UsbSession*, bool success) override
    {
        ++finished;
        result = success;
    }
};
}

TEST (CompositeSession, ShowsEachInnerSessionsProgressAsItsShare)
{
    FourItems session;
    for (int i = 0; i < 4; ++i)
        session.items.push_back (std::make_unique<FakeItem>());

    ProgressLog log;
    session.addListener (&log);
    session.run();

    EXPECT_EQ (log.result, true);
    EXPECT_EQ (session.itemsRun, 4);
    // Each item reports 0.5 halfway (its start at 0 is no change).
    EXPECT_EQ (log.progress, (std::vector<double> { 0.125, 0.375, 0.625, 0.875 }));
}

TEST (CompositeSession, FailsWithTheKeyOfTheInnerSessionThatFailed)
{
    FourItems session;
    session.items.push_back (std::make_unique<FakeItem>());
    session.items.push_back (std::make_unique<FakeItem> ("Error_UsbNotReadyToReceiveSample"));
    session.items.push_back (std::make_unique<FakeItem>());

    ProgressLog log;
    session.addListener (&log);
    session.run();

    EXPECT_EQ (log.finished, 1);
    EXPECT_FALSE (log.result);
    EXPECT_EQ (session.getErrorKey(), "Error_UsbNotReadyToReceiveSample");
    EXPECT_EQ (session.itemsRun, 1);
    EXPECT_FALSE (session.items[2]->started);
}

TEST (CompositeSession, ACancelReachesTheRunningInnerSessionAndNoFurtherItemStarts)
{
    FourItems session;
    session.items.push_back (std::make_unique<FakeItem> (juce::String(), true));
    session.items.push_back (std::make_unique<FakeItem>());

    ProgressLog log;
    session.addListener (&log);
    session.startThread();

    while (! session.items[0]->started)
        juce::Thread::yield();

    session.cancel (10000);

    EXPECT_FALSE (session.isThreadRunning());
    EXPECT_EQ (log.finished, 1);
    EXPECT_TRUE (log.result);
    EXPECT_EQ (session.itemsRun, 1);
    EXPECT_FALSE (session.items[1]->started);
    EXPECT_EQ (session.preparedForCancel, (std::vector<UsbSession*> { session.items[0].get() }));
}

TEST (CompositeSession, ACancelBeforeTheFirstItemRunsNothing)
{
    FourItems session;
    session.items.push_back (std::make_unique<FakeItem>());
    session.cancel (100);
    session.run();

    EXPECT_FALSE (session.items[0]->started);
    EXPECT_EQ (session.itemsRun, 0);
}

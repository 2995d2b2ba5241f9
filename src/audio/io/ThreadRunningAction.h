#pragma once

#include <juce_events/juce_events.h>

#include <atomic>

// A job that runs on its own thread and reports its state: a status (a
// message key), a progress from 0 to 1, and whether it finished or failed.
// Every change is followed by a change broadcast, which reaches listeners on
// the message thread; a caller without a message loop polls the getters.
class ThreadRunningAction : public juce::ChangeBroadcaster,
                            public juce::Thread
{
public:
    explicit ThreadRunningAction (const juce::String& threadName);
    ~ThreadRunningAction() override;

    // The job body, on the action's thread.
    void run() override = 0;
    virtual void cancel() = 0;
    virtual bool isCancellable() const = 0;

    double getProgress() const { return progress; }
    juce::String getStatusText() const;
    bool isFinished() const { return finished; }
    bool hasFailed() const { return failed; }

protected:
    void setStatusText (const juce::String& key);
    void setProgress (double newProgress);
    void setFailed();
    void setFinished();

private:
    juce::String statusText;
    juce::CriticalSection statusLock;
    std::atomic<bool> finished { false };
    std::atomic<bool> failed { false };
    std::atomic<double> progress { 0.0 };
};

#include "audio/io/ThreadRunningAction.h"

ThreadRunningAction::ThreadRunningAction (const juce::String& threadName)
    : juce::Thread (threadName)
{
}

ThreadRunningAction::~ThreadRunningAction()
{
    // A subclass stops its own work in its destructor; this only waits.
    stopThread (-1);
}

juce::String ThreadRunningAction::getStatusText() const
{
    const juce::ScopedLock lock (statusLock);
    return statusText;
}

void ThreadRunningAction::setStatusText (const juce::String& key)
{
    {
        const juce::ScopedLock lock (statusLock);
        statusText = key;
    }
    sendChangeMessage();
}

void ThreadRunningAction::setProgress (double newProgress)
{
    progress = newProgress;
    sendChangeMessage();
}

void ThreadRunningAction::setFailed()
{
    failed = true;
    sendChangeMessage();
}

void ThreadRunningAction::setFinished()
{
    finished = true;
    sendChangeMessage();
}

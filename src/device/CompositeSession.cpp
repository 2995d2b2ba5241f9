#include "device/CompositeSession.h"

#include "app/Exception.h"
#include "device/UsbAccess.h"

#include <juce_events/juce_events.h>

void CompositeSession::cancel (int timeoutMs)
{
    {
        const juce::ScopedLock lock (innerLock);
        stopRequested = true;

        if (runningInner != nullptr)
        {
            prepareInnerCancel (*runningInner);
            runningInner->cancel (timeoutMs);
        }
    }

    // The message thread may be the one that cancels: a hook still waiting
    // for it never runs.
    handOver.abandon();

    UsbSession::cancel (timeoutMs);
}

void CompositeSession::runInner (UsbSession& inner, double progressStart, double progressSpan)
{
    {
        // Under the lock, so that a cancel either sees this session or
        // finds the stop request set before it would start.
        const juce::ScopedLock lock (innerLock);

        if (isStopping())
            return;

        runningInner = &inner;
        innerStart = progressStart;
        innerSpan = progressSpan;
        innerSucceeded = false;
    }

    inner.setReplyTimeout (getReplyTimeout());
    inner.addListener (this);
    inner.run();
    inner.removeListener (this);

    bool succeeded = false;
    {
        const juce::ScopedLock lock (innerLock);
        runningInner = nullptr;
        succeeded = innerSucceeded;
    }

    if (succeeded)
        return;

    const auto key = inner.getErrorKey();

    // An inner session cut short by a cancel ends without a key.
    if (key.isEmpty() && isStopping())
        return;

    throw Exception (key.isNotEmpty() ? key : juce::String ("Error_UnknownError"));
}

void CompositeSession::complete()
{
    if (! completionHook)
        return;

    if (juce::MessageManager::getInstanceWithoutCreating() == nullptr)
        completionHook();
    else
        handOver.perform ([this] { completionHook(); return true; }, [this] { return isStopping(); });
}

UsbAccess& CompositeSession::requireAccess()
{
    auto* access = getCurrentAccess();

    if (access == nullptr)
        throw Exception ("Error_UsbFailedToOpenUsbPort");

    return *access;
}

void CompositeSession::sessionProgress (UsbSession* inner, double fraction)
{
    double start = 0.0, span = 0.0;
    {
        const juce::ScopedLock lock (innerLock);

        if (inner != runningInner)
            return;

        start = innerStart;
        span = innerSpan;
    }

    setProgress (start + fraction * span);
}

void CompositeSession::sessionFinished (UsbSession* inner, bool success)
{
    const juce::ScopedLock lock (innerLock);

    if (inner == runningInner)
        innerSucceeded = success;
}

#include "device/CompositeSession.h"

#include "app/Exception.h"
#include "device/UsbAccess.h"

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

    if (! succeeded)
        throw Exception (inner.getErrorKey().isNotEmpty() ? inner.getErrorKey() : juce::String ("Error_UnknownError"));
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

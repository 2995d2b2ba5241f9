#include "device/UsbSession.h"

#include "device/UsbAccess.h"

namespace
{
// How long an abandoned session may take to notice that its waits fail.
constexpr int abandonWaitMs = 5000;
}

UsbSession::UsbSession()
    : juce::Thread ("Usb Session Thread")
{
}

UsbSession::~UsbSession()
{
    stopThread (abandonWaitMs);
}

void UsbSession::addListener (UsbSessionListener* listener)
{
    const juce::ScopedLock lock (listenerLock);
    listeners.addIfNotAlreadyThere (listener);
}

void UsbSession::removeListener (UsbSessionListener* listener)
{
    const juce::ScopedLock lock (listenerLock);
    listeners.removeFirstMatchingValue (listener);
}

template <typename Call>
void UsbSession::tellListeners (Call call)
{
    const juce::ScopedLock lock (listenerLock);

    for (auto* listener : listeners)
        call (*listener);
}

void UsbSession::run()
{
    cancelled = false;
    abandoned = false;
    finishReported = false;
    running = true;

    setProgress (0.0);

    ++runningSessions;
    tellListeners ([this] (UsbSessionListener& l) { l.sessionStarted (this); });

    const bool result = execute();

    // An abandoned session's steps failed on purpose; it never succeeds.
    finish (result && ! abandoned);
}

void UsbSession::finish (bool success)
{
    if (finishReported.exchange (true))
        return;

    tellListeners ([this, success] (UsbSessionListener& l) { l.sessionFinished (this, success); });
    --runningSessions;
    running = false;
}

void UsbSession::cancel (int timeoutMs)
{
    cancelled = true;
    signalThreadShouldExit();

    if (! isThreadRunning() || waitForThreadToExit (timeoutMs))
        return;

    abandoned = true;
    auto* access = currentAccess.load();

    if (access != nullptr)
    {
        access->setCancelled (true);
        access->stop();
    }

    const bool ended = waitForThreadToExit (abandonWaitMs);
    finish (false);

    // The device is free again once the abandoned session is gone.
    if (ended && access != nullptr)
        access->setCancelled (false);
}

void UsbSession::setProgress (double fraction)
{
    if (progress.exchange (fraction) != fraction)
        tellListeners ([this, fraction] (UsbSessionListener& l) { l.sessionProgress (this, fraction); });
}

void UsbSession::setStatus (const juce::String& text)
{
    {
        const juce::ScopedLock lock (listenerLock);

        if (status == text)
            return;

        status = text;
    }
    tellListeners ([this, &text] (UsbSessionListener& l) { l.sessionStatus (this, text); });
}

juce::String UsbSession::getStatus() const
{
    const juce::ScopedLock lock (listenerLock);
    return status;
}

void UsbSession::setErrorKey (const juce::String& key)
{
    const juce::ScopedLock lock (listenerLock);
    errorKey = key;
}

juce::String UsbSession::getErrorKey() const
{
    const juce::ScopedLock lock (listenerLock);
    return errorKey;
}

#pragma once

#include "device/UsbSession.h"

#include <functional>

// A session that runs other sessions inside itself, on its own thread, one
// at a time: it listens to the running one, shows its progress as a part of
// its own, and passes a cancel on to it.
class CompositeSession : public UsbSession,
                         public UsbSessionListener
{
public:
    // Told, on the session thread, when the whole transfer went through
    // and the session was not stopped: where received data is put in place.
    using CompletionHook = std::function<void()>;

    void setCompletionHook (CompletionHook hook) { completionHook = std::move (hook); }

    // Cancels the running inner session with the same time-out, then this
    // one.
    void cancel (int timeoutMs) override;

protected:
    // Runs the inner session here, its progress x shown as
    // progressStart + x * progressSpan. Throws Exception with the inner
    // session's key when it fails; returns at once, without running it, once
    // this session is stopping.
    void runInner (UsbSession& inner, double progressStart, double progressSpan);

    void complete()
    {
        if (completionHook)
            completionHook();
    }

    // Asked to stop: checked before each item.
    bool isStopping() const { return stopRequested || shouldStop(); }

    // Called under the inner lock before the running inner session is
    // cancelled.
    virtual void prepareInnerCancel (UsbSession&) {}

    // The device connection of the sessions; throws
    // "Error_UsbFailedToOpenUsbPort" when there is none.
    static UsbAccess& requireAccess();

    // UsbSessionListener, for the inner sessions
    void sessionStarted (UsbSession*) override {}
    void sessionProgress (UsbSession* inner, double fraction) override;
    void sessionStatus (UsbSession*, const juce::String&) override {}
    void sessionFinished (UsbSession* inner, bool success) override;

private:
    CompletionHook completionHook;
    juce::CriticalSection innerLock;
    UsbSession* runningInner = nullptr;
    double innerStart = 0.0;
    double innerSpan = 0.0;
    bool innerSucceeded = false;
    std::atomic<bool> stopRequested { false };
};

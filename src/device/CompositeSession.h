#pragma once

#include "device/MessageThreadHandOver.h"
#include "device/UsbSession.h"

#include <functional>

// A session that runs other sessions inside itself, on its own thread, one
// at a time: it listens to the running one, shows its progress as a part of
// its own, and passes a cancel on to it.
class CompositeSession : public UsbSession,
                         public UsbSessionListener
{
public:
    // Told when the whole transfer went through and the session was not
    // stopped: where received data is put in place. It runs on the message
    // thread while there is one (the session waits for it), else on the
    // session thread.
    using CompletionHook = std::function<void()>;

    void setCompletionHook (CompletionHook hook) { completionHook = std::move (hook); }

    // Cancels the running inner session with the same time-out, then this
    // one.
    void cancel (int timeoutMs) override;

protected:
    // Runs the inner session here, its progress x shown as
    // progressStart + x * progressSpan. Throws Exception with the inner
    // session's key when it fails; returns at once, without running it, once
    // this session is stopping, and also when a cancel cut the inner session
    // short.
    void runInner (UsbSession& inner, double progressStart, double progressSpan);

    // Runs the completion hook, unless a cancel comes first.
    void complete();

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
    MessageThreadHandOver handOver;
    juce::CriticalSection innerLock;
    UsbSession* runningInner = nullptr;
    double innerStart = 0.0;
    double innerSpan = 0.0;
    bool innerSucceeded = false;
    std::atomic<bool> stopRequested { false };
};

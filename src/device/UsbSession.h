#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <vector>

class UsbAccess;
class UsbSession;

class UsbSessionListener
{
public:
    virtual ~UsbSessionListener() = default;

    virtual void sessionStarted (UsbSession* session) = 0;
    virtual void sessionProgress (UsbSession* session, double fraction) = 0;
    virtual void sessionStatus (UsbSession* session, const juce::String& text) = 0;
    virtual void sessionFinished (UsbSession* session, bool success) = 0;
};

// One exchange with the device, from start to end, on a thread of its own:
// reports progress, a status line and success or failure (with the message
// key of the failure).
class UsbSession : public juce::Thread
{
public:
    static constexpr int defaultReplyTimeoutMs = 5000;

    UsbSession();
    ~UsbSession() override;

    void addListener (UsbSessionListener* listener);
    void removeListener (UsbSessionListener* listener);

    // The thread's body; also called directly to run a session inside
    // another one.
    void run() override;

    // Asks the session to stop and waits up to timeoutMs for it. A session
    // still busy after that is abandoned: its waits return at once, its
    // writes fail, and it is reported finished without success.
    virtual void cancel (int timeoutMs);

    bool isRunning() const noexcept { return running; }
    bool isCancelled() const noexcept { return cancelled; }
    double getProgress() const noexcept { return progress; }
    juce::String getStatus() const;
    juce::String getErrorKey() const;

    // Inactivity time-out for the device's replies; the device's default
    // unless a caller (a test) wants it shorter.
    void setReplyTimeout (int milliseconds) { replyTimeoutMs = milliseconds; }
    int getReplyTimeout() const noexcept { return replyTimeoutMs; }

    void setErrorKey (const juce::String& key);

    // The access the sessions use, published by the session manager.
    static UsbAccess* getCurrentAccess() noexcept { return currentAccess; }
    static void setCurrentAccess (UsbAccess* access) noexcept { currentAccess = access; }
    static int getNumRunningSessions() noexcept { return runningSessions; }

protected:
    // The job; catches its own failures into the error key.
    virtual bool execute() = 0;

    void setProgress (double fraction);
    void setStatus (const juce::String& text);

    // Whether the session was asked to stop; checked between items.
    bool shouldStop() const { return cancelled || threadShouldExit(); }

private:
    template <typename Call>
    void tellListeners (Call call);
    void finish (bool success);

    juce::CriticalSection listenerLock;
    juce::Array<UsbSessionListener*> listeners;
    std::atomic<bool> cancelled { false };
    std::atomic<bool> running { false };
    std::atomic<bool> abandoned { false };
    std::atomic<bool> finishReported { false };
    std::atomic<double> progress { 0.0 };
    std::atomic<int> replyTimeoutMs { defaultReplyTimeoutMs };
    juce::String status;
    juce::String errorKey;

    static inline std::atomic<UsbAccess*> currentAccess { nullptr };
    static inline std::atomic<int> runningSessions { 0 };
};

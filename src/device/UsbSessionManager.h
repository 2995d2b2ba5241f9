#pragma once

#include "device/DeviceChangeNotifier.h"
#include "device/UsbAccess.h"
#include "device/UsbSession.h"

#include <juce_events/juce_events.h>

#include <functional>
#include <memory>
#include <mutex>

// Runs one session at a time: owns the access and opens it before a
// session, starts the session's thread, relays the session's reports to its
// own listeners on the message thread, cancels on request, sends single
// parameter changes while no session runs, and opens or closes the port as
// devices come and go.
class UsbSessionManager : public UsbSessionListener,
                          public juce::MessageListener,
                          public DeviceChangeNotifierListener
{
public:
    enum PortKind { usbPort = 0, virtualPort = 1, socketPort = 2 };

    static constexpr int cancelTimeoutMs = 69000;

    // Listens to the device watch when it exists; it must outlive the
    // manager.
    UsbSessionManager();
    ~UsbSessionManager() override;

    // Chooses the driver; the socket port needs the socket's path. Refused
    // while a session runs; false when the kind leaves no access.
    bool setPortKind (int kind, const juce::String& socketPath = {});
    int getPortKind() const;

    // Opens the access if it is not open; throws Exception with the key of
    // the reason when it cannot be opened.
    bool openPort();
    bool isPortOpen() const { return portOpen; }

    // Takes the session; false (and the session is gone) while another one
    // runs. Exceptions of openPort pass to the caller.
    bool startSession (std::unique_ptr<UsbSession> session);
    void cancelSession (int timeoutMs = cancelTimeoutMs);
    UsbSession* getCurrentSession() const;

    // Where parameter changes look whether they are wanted and on which
    // MIDI channel the device listens (the global data's channel).
    void setParameterChangeSettings (std::function<bool()> enabled, std::function<int()> channel);
    void sendParameterChange (int group, int index, int value);

    // Message thread only.
    void addListener (UsbSessionListener* listener);
    void removeListener (UsbSessionListener* listener);

    UsbAccess* getAccess() const;
    bool isDeviceConnected() const;

    // DeviceChangeNotifierListener
    void deviceChanged() override;

private:
    enum RelayCode { relayStarted = 0, relayProgress = 1, relayStatus = 2, relayFinished = 3 };
    class RelayMessage;

    static std::unique_ptr<UsbAccess> makeAccess (int kind, const juce::String& socketPath);
    bool isSessionRunning() const;

    void sessionStarted (UsbSession* session) override;
    void sessionProgress (UsbSession* session, double fraction) override;
    void sessionStatus (UsbSession* session, const juce::String& text) override;
    void sessionFinished (UsbSession* session, bool success) override;
    void handleMessage (const juce::Message& message) override;

    juce::CriticalSection lock;
    std::unique_ptr<UsbAccess> access;
    std::unique_ptr<UsbSession> currentSession;
    int portKind = usbPort;
    juce::String socketPath;
    std::atomic<bool> portOpen { false };

    std::function<bool()> parameterChangesEnabled;
    std::function<int()> parameterChangeChannel;

    // What the session thread reported last, for the message thread.
    std::atomic<double> lastProgress { 0.0 };
    std::atomic<bool> lastResult { false };
    std::mutex statusLock;
    juce::String lastStatus;

    std::vector<UsbSessionListener*> listeners;
    DeviceChangeNotifier* notifier = nullptr;
};

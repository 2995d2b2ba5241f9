#pragma once

#include "app/CZQVSingleton.h"

#include <juce_events/juce_events.h>

#include <memory>
#include <vector>

class UsbDeviceWatch;

class DeviceChangeNotifierListener
{
public:
    virtual ~DeviceChangeNotifierListener() = default;

    // A device came or went; called on the message thread.
    virtual void deviceChanged() = 0;
};

// The device watch: turns the system's notices that USB devices came or
// went, and the plugging of emulated devices, into calls on the registered
// listeners, in the order they registered, on the message thread.
class DeviceChangeNotifier : public CZQVSingleton<DeviceChangeNotifier>,
                             private juce::AsyncUpdater
{
public:
    DeviceChangeNotifier();
    ~DeviceChangeNotifier() override;

    // Message thread only.
    void addListener (DeviceChangeNotifierListener* listener);
    void removeListener (DeviceChangeNotifierListener* listener);

    // Any thread: the listeners hear about it soon, on the message thread.
    void deviceChanged();

    // Tells the notifier when it exists; does nothing otherwise.
    static void notifyIfRunning();

private:
    void handleAsyncUpdate() override;
    bool isRegistered (DeviceChangeNotifierListener* listener) const;

    std::vector<DeviceChangeNotifierListener*> listeners;
    std::unique_ptr<UsbDeviceWatch> usbWatch;
};

#include "device/DeviceChangeNotifier.h"

#include "device/LibUsbDriver.h"

#include <algorithm>
#include <mutex>

namespace
{
// The notifier that other threads may tell, guarded against its deletion.
std::mutex runningLock;
DeviceChangeNotifier* running = nullptr;
}

DeviceChangeNotifier::DeviceChangeNotifier()
    : usbWatch (std::make_unique<UsbDeviceWatch> ([this] { deviceChanged(); }))
{
    std::lock_guard<std::mutex> guard (runningLock);
    running = this;
}

DeviceChangeNotifier::~DeviceChangeNotifier()
{
    {
        std::lock_guard<std::mutex> guard (runningLock);
        running = nullptr;
    }
    usbWatch.reset();
    cancelPendingUpdate();
}

void DeviceChangeNotifier::addListener (DeviceChangeNotifierListener* listener)
{
    if (! isRegistered (listener))
        listeners.push_back (listener);
}

void DeviceChangeNotifier::removeListener (DeviceChangeNotifierListener* listener)
{
    listeners.erase (std::remove (listeners.begin(), listeners.end(), listener), listeners.end());
}

bool DeviceChangeNotifier::isRegistered (DeviceChangeNotifierListener* listener) const
{
    return std::find (listeners.begin(), listeners.end(), listener) != listeners.end();
}

void DeviceChangeNotifier::deviceChanged()
{
    triggerAsyncUpdate();
}

void DeviceChangeNotifier::notifyIfRunning()
{
    std::lock_guard<std::mutex> guard (runningLock);

    if (running != nullptr)
        running->deviceChanged();
}

void DeviceChangeNotifier::handleAsyncUpdate()
{
    DBG ("device changed....");

    // A listener may remove itself or others while it is called.
    const auto snapshot = listeners;

    for (auto* listener : snapshot)
        if (isRegistered (listener))
            listener->deviceChanged();
}

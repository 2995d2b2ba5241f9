#pragma once

#include "device/StreamUsbDriver.h"
#include "device/virtual/VirtualPlovara.h"

#include <memory>
#include <mutex>
#include <vector>

// The process-wide place where virtual Plovaras are plugged in and pulled
// out. Each plugged device has a device number (the lowest free one) and
// takes one connection at a time. Plugging and unplugging tell the device
// watch, as a real device would.
class VirtualUsbBus
{
public:
    static VirtualUsbBus& getInstance();

    // Answers the device number.
    int plug (std::shared_ptr<VirtualPlovara> device);
    void unplug (const VirtualPlovara& device);
    bool isPlugged (const VirtualPlovara& device) const;

    std::optional<DeviceDescriptor> probe (int deviceNumber) const;
    std::shared_ptr<DeviceStream> connect (int deviceNumber);

private:
    class Connection;

    struct Slot
    {
        int number;
        std::shared_ptr<VirtualPlovara> device;
        std::weak_ptr<Connection> connection;
    };

    void notifyDeviceChange();

    mutable std::mutex lock;
    std::vector<Slot> slots;
};

// The driver of port kind 1: the virtual Plovaras of the bus.
class VirtualUsbDriver : public StreamUsbDriver
{
protected:
    std::optional<DeviceDescriptor> probe (int deviceNumber) override;
    std::shared_ptr<DeviceStream> connect (int deviceNumber) override;
};

#include "device/virtual/VirtualUsbBus.h"

#include "device/DeviceChangeNotifier.h"
#include "device/virtual/ByteQueue.h"

#include <algorithm>

// One connection to a plugged device: writes go into the device at once, on
// the writer's thread; what the device answers waits in a queue for reads.
class VirtualUsbBus::Connection : public DeviceStream,
                                  public VirtualPlovara::Output
{
public:
    Connection (VirtualUsbBus& owner, std::shared_ptr<VirtualPlovara> deviceToUse)
        : bus (owner), device (std::move (deviceToUse)), descriptor (device->getDescriptor())
    {
        device->attach (this);
    }

    ~Connection() override { close(); }

    void close()
    {
        alive = false;
        device->detach (this);
        fromDevice.close();
    }

    const DeviceDescriptor& getDescriptor() const override { return descriptor; }
    bool isAlive() const override { return alive; }

    UsbDriver::ReadResult read (void* dest, int count, int waitMs, const UsbDriver::StopRequest& stopRequested) override
    {
        return fromDevice.read (dest, (size_t) count, waitMs, stopRequested);
    }

    bool write (const void* bytes, int count) override
    {
        if (! alive)
            return false;

        device->receive (bytes, (size_t) count);

        if (device->takeUnplugRequest())
            bus.unplug (*device);

        return true;
    }

    void deliver (const void* bytes, size_t count, int delayMs) override
    {
        fromDevice.push (bytes, count, delayMs);
    }

private:
    VirtualUsbBus& bus;
    std::shared_ptr<VirtualPlovara> device;
    const DeviceDescriptor descriptor;
    std::atomic<bool> alive { true };
    ByteQueue fromDevice;
};

VirtualUsbBus& VirtualUsbBus::getInstance()
{
    static VirtualUsbBus bus;
    return bus;
}

int VirtualUsbBus::plug (std::shared_ptr<VirtualPlovara> device)
{
    int number = 0;
    {
        std::lock_guard<std::mutex> guard (lock);

        for (auto& slot : slots)
            if (slot.device == device)
                return slot.number;

        while (std::any_of (slots.begin(), slots.end(), [number] (const Slot& s) { return s.number == number; }))
            ++number;

        slots.push_back ({ number, std::move (device), {} });
    }
    notifyDeviceChange();
    return number;
}

void VirtualUsbBus::unplug (const VirtualPlovara& device)
{
    std::shared_ptr<Connection> connection;
    {
        std::lock_guard<std::mutex> guard (lock);
        auto found = std::find_if (slots.begin(), slots.end(), [&device] (const Slot& s) { return s.device.get() == &device; });

        if (found == slots.end())
            return;

        connection = found->connection.lock();
        slots.erase (found);
    }

    if (connection != nullptr)
        connection->close();

    notifyDeviceChange();
}

bool VirtualUsbBus::isPlugged (const VirtualPlovara& device) const
{
    std::lock_guard<std::mutex> guard (lock);
    return std::any_of (slots.begin(), slots.end(), [&device] (const Slot& s) { return s.device.get() == &device; });
}

std::optional<DeviceDescriptor> VirtualUsbBus::probe (int deviceNumber) const
{
    std::lock_guard<std::mutex> guard (lock);

    for (auto& slot : slots)
        if (slot.number == deviceNumber)
            return slot.device->getDescriptor();

    return std::nullopt;
}

std::shared_ptr<DeviceStream> VirtualUsbBus::connect (int deviceNumber)
{
    std::lock_guard<std::mutex> guard (lock);

    for (auto& slot : slots)
    {
        if (slot.number != deviceNumber)
            continue;

        if (auto existing = slot.connection.lock(); existing != nullptr && existing->isAlive())
            return nullptr;   // in use

        auto connection = std::make_shared<Connection> (*this, slot.device);
        slot.connection = connection;
        return connection;
    }

    return nullptr;
}

void VirtualUsbBus::notifyDeviceChange()
{
    DeviceChangeNotifier::notifyIfRunning();
}

std::optional<DeviceDescriptor> VirtualUsbDriver::probe (int deviceNumber)
{
    return VirtualUsbBus::getInstance().probe (deviceNumber);
}

std::shared_ptr<DeviceStream> VirtualUsbDriver::connect (int deviceNumber)
{
    return VirtualUsbBus::getInstance().connect (deviceNumber);
}

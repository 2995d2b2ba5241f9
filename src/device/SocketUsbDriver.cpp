#include "device/SocketUsbDriver.h"

#include "device/DeviceChangeNotifier.h"
#include "device/UnixSocket.h"

namespace
{
constexpr int writeTimeoutMs = 2000;

class SocketStream : public DeviceStream
{
public:
    SocketStream (std::unique_ptr<UnixSocket> connected, const DeviceDescriptor& introduced)
        : socket (std::move (connected)), descriptor (introduced)
    {
    }

    const DeviceDescriptor& getDescriptor() const override { return descriptor; }
    bool isAlive() const override { return alive; }

    UsbDriver::ReadResult read (void* dest, int count, int waitMs, const UsbDriver::StopRequest& stopRequested) override
    {
        if (! alive)
            return UsbDriver::ReadResult::failed;

        const auto result = socket->readExactly (dest, (size_t) count, waitMs, stopRequested);

        if (result == UsbDriver::ReadResult::failed)
            lose();

        return result;
    }

    bool write (const void* bytes, int count) override
    {
        if (alive && socket->writeAll (bytes, (size_t) count, writeTimeoutMs))
            return true;

        lose();
        return false;
    }

private:
    // The other side went away: the device counts as unplugged.
    void lose()
    {
        if (alive.exchange (false))
        {
            socket->shutdown();
            DeviceChangeNotifier::notifyIfRunning();
        }
    }

    std::unique_ptr<UnixSocket> socket;
    const DeviceDescriptor descriptor;
    std::atomic<bool> alive { true };
};

std::unique_ptr<UnixSocket> connectAndIntroduce (const juce::String& path, DeviceDescriptor& descriptor)
{
    auto socket = UnixSocket::connectTo (path);
    uint8_t bytes[DeviceDescriptor::size];

    if (socket == nullptr
        || socket->readExactly (bytes, sizeof (bytes), SocketUsbDriver::descriptorWaitMs, [] { return true; }) != UsbDriver::ReadResult::complete)
        return nullptr;

    const auto introduced = DeviceDescriptor::fromBytes (bytes, sizeof (bytes));

    if (! introduced.has_value())
        return nullptr;

    descriptor = *introduced;
    return socket;
}
}

SocketUsbDriver::SocketUsbDriver (const juce::String& socketPath)
    : path (socketPath)
{
}

std::optional<DeviceDescriptor> SocketUsbDriver::probe (int deviceNumber)
{
    DeviceDescriptor descriptor;

    if (deviceNumber != 0 || connectAndIntroduce (path, descriptor) == nullptr)
        return std::nullopt;

    return descriptor;
}

std::shared_ptr<DeviceStream> SocketUsbDriver::connect (int deviceNumber)
{
    DeviceDescriptor descriptor;
    auto socket = deviceNumber == 0 ? connectAndIntroduce (path, descriptor) : nullptr;
    return socket != nullptr ? std::make_shared<SocketStream> (std::move (socket), descriptor) : nullptr;
}

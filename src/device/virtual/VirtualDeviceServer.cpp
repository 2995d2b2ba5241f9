#include "device/virtual/VirtualDeviceServer.h"

#include <vector>

VirtualDeviceServer::VirtualDeviceServer (std::shared_ptr<VirtualPlovara> deviceToServe, const juce::String& socketPath)
    : juce::Thread ("Virtual Plovara Server"), device (std::move (deviceToServe)), path (socketPath)
{
}

VirtualDeviceServer::~VirtualDeviceServer()
{
    stop();
}

bool VirtualDeviceServer::start()
{
    listener = UnixSocket::listenAt (path);

    if (listener == nullptr)
        return false;

    startThread();
    return true;
}

void VirtualDeviceServer::stop()
{
    signalThreadShouldExit();
    stopThread (4 * pollMs + writeTimeoutMs);

    listener.reset();
}

void VirtualDeviceServer::disconnectClient()
{
    std::lock_guard<std::mutex> guard (clientLock);

    if (client != nullptr)
        client->shutdown();
}

void VirtualDeviceServer::run()
{
    while (! threadShouldExit())
    {
        auto connection = listener->accept (pollMs);

        if (connection == nullptr)
            continue;

        {
            std::lock_guard<std::mutex> guard (clientLock);
            client = connection.get();
        }

        device->attach (this);
        serve (*connection);
        device->detach (this);

        std::lock_guard<std::mutex> guard (clientLock);
        client = nullptr;
    }
}

void VirtualDeviceServer::serve (UnixSocket& connection)
{
    const auto descriptor = device->getDescriptor().toBytes();

    if (! connection.writeAll (descriptor.getData(), descriptor.getSize(), writeTimeoutMs))
        return;

    std::vector<uint8_t> buffer (65536);

    while (! threadShouldExit())
    {
        const int got = connection.readSome (buffer.data(), buffer.size(), pollMs);

        if (got < 0)
            return;

        if (got == 0)
            continue;

        device->receive (buffer.data(), (size_t) got);

        if (device->takeUnplugRequest())
            return;
    }
}

void VirtualDeviceServer::deliver (const void* bytes, size_t count, int delayMs)
{
    if (delayMs > 0)
        juce::Thread::sleep (delayMs);

    std::lock_guard<std::mutex> guard (clientLock);

    if (client != nullptr && ! client->writeAll (bytes, count, writeTimeoutMs))
        client->shutdown();
}

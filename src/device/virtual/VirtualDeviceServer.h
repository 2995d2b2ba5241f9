#pragma once

#include "device/UnixSocket.h"
#include "device/virtual/VirtualPlovara.h"

#include <juce_core/juce_core.h>

#include <memory>
#include <mutex>

// Serves a virtual Plovara on a Unix stream socket, one connection at a
// time: each connection first gets the device's 64-byte descriptor, then
// the bytes of the two pipes.
class VirtualDeviceServer : private juce::Thread,
                            private VirtualPlovara::Output
{
public:
    static constexpr int pollMs = 100;
    static constexpr int writeTimeoutMs = 5000;

    VirtualDeviceServer (std::shared_ptr<VirtualPlovara> device, const juce::String& socketPath);
    ~VirtualDeviceServer() override;

    // Starts listening; false when the socket cannot be made at the path.
    bool start();
    void stop();

    // The connection being served is dropped, as if the cable were pulled.
    void disconnectClient();

private:
    void run() override;
    void serve (UnixSocket& client);
    void deliver (const void* bytes, size_t count, int delayMs) override;

    std::shared_ptr<VirtualPlovara> device;
    const juce::String path;
    std::unique_ptr<UnixSocket> listener;

    std::mutex clientLock;
    UnixSocket* client = nullptr;
};

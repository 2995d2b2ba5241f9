#pragma once

#include "device/StreamUsbDriver.h"

// The driver of port kind 2: one device, number 0, emulated by another
// program that listens on a Unix stream socket. It introduces itself with
// a 64-byte descriptor; after that the stream carries exactly the bytes of
// the two pipes. A closed connection is an unplugged device.
class SocketUsbDriver : public StreamUsbDriver
{
public:
    static constexpr int descriptorWaitMs = 1000;

    explicit SocketUsbDriver (const juce::String& socketPath);

protected:
    std::optional<DeviceDescriptor> probe (int deviceNumber) override;
    std::shared_ptr<DeviceStream> connect (int deviceNumber) override;

private:
    const juce::String path;
};

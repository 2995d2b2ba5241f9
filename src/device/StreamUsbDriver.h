#pragma once

#include "device/DeviceDescriptor.h"
#include "device/UsbDriver.h"

#include <map>
#include <memory>
#include <mutex>
#include <optional>

// A byte stream to an emulated device: what the program writes to the
// write pipe goes in, what it reads from the read pipe comes out.
class DeviceStream
{
public:
    virtual ~DeviceStream() = default;

    virtual const DeviceDescriptor& getDescriptor() const = 0;

    // False once the device went away (unplugged, connection closed).
    virtual bool isAlive() const = 0;

    // Exactly count bytes, with the waits of UsbDriver::read.
    virtual UsbDriver::ReadResult read (void* dest, int count, int waitMs, const UsbDriver::StopRequest& stopRequested) = 0;
    virtual bool write (const void* bytes, int count) = 0;
};

// A driver over emulated devices. The read pipe and the write pipe of a
// device share one stream; each pipe can be open once.
class StreamUsbDriver : public UsbDriver
{
public:
    Handle openDeviceObject (int deviceNumber) override;
    Handle openReadPipe (int deviceNumber) override;
    Handle openWritePipe (int deviceNumber) override;
    void closeHandle (Handle handle) override;

    uint32_t requestDriverVersion (Handle deviceObject) override;
    uint32_t requestIdentifier (Handle writePipe) override;
    uint32_t requestStringIndices (Handle writePipe) override;
    juce::MemoryBlock requestStringDescriptor (Handle writePipe, int stringIndex) override;

    ReadResult read (Handle readPipe, void* dest, int count, ReadMode mode, int waitMs,
                     const StopRequest& stopRequested) override;
    bool write (Handle writePipe, const void* bytes, int count) override;

protected:
    // The descriptor of the device with that number, if there is one.
    virtual std::optional<DeviceDescriptor> probe (int deviceNumber) = 0;

    // A new stream to the device; none when it is absent or in use.
    virtual std::shared_ptr<DeviceStream> connect (int deviceNumber) = 0;

private:
    enum class Kind { deviceObject, readPipe, writePipe };

    struct Entry
    {
        Kind kind;
        int deviceNumber;
        DeviceDescriptor descriptor;
        std::shared_ptr<DeviceStream> stream;   // pipes only
    };

    Handle openPipe (int deviceNumber, Kind kind);
    std::shared_ptr<DeviceStream> streamOf (Handle handle, Kind kind);
    std::optional<DeviceDescriptor> liveDescriptorOf (Handle writePipe);

    std::mutex lock;
    std::map<Handle, Entry> entries;
    Handle nextHandle = 1;
};

#pragma once

#include "device/UsbDriver.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>

struct libusb_context;
struct libusb_device_handle;

// The driver of port kind 0: real hardware through libusb. Device objects
// are the USB devices with a MIDI-streaming interface (audio class,
// subclass 3) that has one bulk IN and one bulk OUT endpoint, numbered in
// the order found. The read pipe is the bulk IN endpoint, the write pipe
// the bulk OUT endpoint; the kernel's driver is detached from the interface
// while the pipes are open and given back when they close.
class LibUsbDriver : public UsbDriver
{
public:
    LibUsbDriver();
    ~LibUsbDriver() override;

    // The pauses the device relies on after open, after starting the
    // reader, before a wait and after an item write.
    Pacing getPacing() const override { return { 20, 50, 50, 200 }; }

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

private:
    struct MidiInterface;
    struct OpenDevice;
    enum class Kind { deviceObject, readPipe, writePipe };

    struct Entry
    {
        Kind kind;
        int deviceNumber;
        std::shared_ptr<OpenDevice> device;
    };

    std::shared_ptr<OpenDevice> openDevice (int deviceNumber, bool claim);
    Handle openPipe (int deviceNumber, Kind kind);
    std::shared_ptr<OpenDevice> deviceOf (Handle handle, Kind kind);

    libusb_context* context = nullptr;
    std::mutex lock;
    std::map<Handle, Entry> entries;
    Handle nextHandle = 1;
};

// Tells when USB devices come and go, from a thread of its own: through
// libusb's hot-plug events where the system has them, otherwise by looking
// at the device list every second.
class UsbDeviceWatch
{
public:
    explicit UsbDeviceWatch (std::function<void()> onChange);
    ~UsbDeviceWatch();

private:
    class Worker;
    std::unique_ptr<Worker> worker;
};

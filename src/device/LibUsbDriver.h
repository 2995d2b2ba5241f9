#pragma once

#include "device/UsbDriver.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

struct libusb_context;
struct libusb_device;
struct libusb_device_handle;
struct UsbStreamInterface;

// Reads of a bulk IN endpoint in whole USB packets. Every transfer asks for
// a multiple of the endpoint's packet size, so that no packet can overflow
// it; what a packet brings beyond the count asked for is kept for the next
// read. One thread reads at a time.
class BulkInReader
{
public:
    // Receives at most length bytes (a multiple of the packet size) into
    // dest within waitMs: the count received, 0 when nothing came, or -1
    // when the endpoint failed.
    using Transfer = std::function<int (uint8_t* dest, int length, int waitMs)>;

    // packetSize must be above 0.
    BulkInReader (int packetSize, Transfer transfer);

    // As UsbDriver::read: a unit of packets is what one transfer brought,
    // padded with zero packets; raw bytes are read to the count.
    UsbDriver::ReadResult read (void* dest, int count, UsbDriver::ReadMode mode, int waitMs,
                                const UsbDriver::StopRequest& stopRequested);

private:
    int receive (int wanted, int waitMs);
    int takeReceived (uint8_t* dest, int count);

    const int packetSize;
    const Transfer transfer;
    std::vector<uint8_t> received;
    size_t receivedTaken = 0;
};

// The driver of port kind 0: real hardware through libusb. Device objects
// are the Plovaras present, numbered in the order found, told apart by
// their descriptors before anything is opened (see UsbDeviceMatch): other
// devices, MIDI gear included, are never opened, claimed or detached from
// their kernel driver. The read pipe is the stream interface's bulk IN
// endpoint, the write pipe its bulk OUT endpoint; the kernel's driver is
// detached from that interface while the pipes are open and given back when
// they close.
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
    bool lastOpenWasDenied() const override { return openDenied; }

    uint32_t requestDriverVersion (Handle deviceObject) override;
    uint32_t requestIdentifier (Handle writePipe) override;
    uint32_t requestStringIndices (Handle writePipe) override;
    juce::MemoryBlock requestStringDescriptor (Handle writePipe, int stringIndex) override;

    ReadResult read (Handle readPipe, void* dest, int count, ReadMode mode, int waitMs,
                     const StopRequest& stopRequested) override;
    bool write (Handle writePipe, const void* bytes, int count) override;

private:
    struct OpenDevice;
    enum class Kind { deviceObject, readPipe, writePipe };

    struct Entry
    {
        Kind kind;
        int deviceNumber;
        std::shared_ptr<OpenDevice> device;   // none for a device object
    };

    using DeviceObjectUse = std::function<void (libusb_device*, const UsbStreamInterface&)>;
    bool findDeviceObject (int deviceNumber, const DeviceObjectUse& use);
    std::shared_ptr<OpenDevice> openDevice (int deviceNumber);
    Handle openPipe (int deviceNumber, Kind kind);
    std::shared_ptr<OpenDevice> deviceOf (Handle handle, Kind kind);

    libusb_context* context = nullptr;
    std::mutex lock;
    std::map<Handle, Entry> entries;
    Handle nextHandle = 1;
    std::atomic<bool> openDenied { false };
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

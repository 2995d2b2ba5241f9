#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <functional>

// The driver underneath the access: device objects numbered from 0, each
// with a read pipe and a write pipe, a handful of requests, and reads and
// writes of exact byte counts. Implementations: real USB hardware, the
// in-process virtual Plovara, and a device emulated behind a Unix socket.
class UsbDriver
{
public:
    using Handle = int;
    static constexpr Handle invalidHandle = -1;

    enum class ReadResult
    {
        complete,   // exactly the bytes asked for
        nothing,    // no byte arrived within the wait
        failed      // the device is gone, or it stopped in the middle of a unit
    };

    enum class ReadMode
    {
        packets,    // one unit of USB-MIDI event packets; the unit may come short, padded with zero packets
        raw         // bulk bytes: exactly the count, however the device cuts them up
    };

    // Fixed pauses, in milliseconds, that the real device relies on.
    struct Pacing
    {
        int afterOpen = 0;
        int afterReaderStart = 0;
        int beforeWait = 0;
        int afterItemWrite = 0;
    };

    virtual ~UsbDriver() = default;

    virtual Pacing getPacing() const { return {}; }

    // Each open returns a handle, or invalidHandle when the object does not
    // exist or is in use.
    virtual Handle openDeviceObject (int deviceNumber) = 0;
    virtual Handle openReadPipe (int deviceNumber) = 0;
    virtual Handle openWritePipe (int deviceNumber) = 0;
    virtual void closeHandle (Handle handle) = 0;

    // After an open that returned invalidHandle: true when the system
    // refused this user access to a device that is there, rather than the
    // device being absent or in use.
    virtual bool lastOpenWasDenied() const { return false; }

    // The requests answer 0 (or an empty block) when they fail.
    virtual uint32_t requestDriverVersion (Handle deviceObject) = 0;     // four bytes, most significant first
    virtual uint32_t requestIdentifier (Handle writePipe) = 0;           // vendor id << 16 | product id
    virtual uint32_t requestStringIndices (Handle writePipe) = 0;        // manufacturer << 8 | product
    virtual juce::MemoryBlock requestStringDescriptor (Handle writePipe, int stringIndex) = 0;

    // Asked while a read waits in the middle of a unit: true ends the read.
    using StopRequest = std::function<bool()>;

    // Reads exactly count bytes. Waits at most waitMs for the first byte;
    // once bytes flow, waits for the rest, asking stopRequested every waitMs,
    // so that nothing that arrived is lost and a stop is still seen soon.
    virtual ReadResult read (Handle readPipe, void* dest, int count, ReadMode mode, int waitMs,
                             const StopRequest& stopRequested) = 0;

    // Writes all count bytes, or fails; never blocks without bound.
    virtual bool write (Handle writePipe, const void* bytes, int count) = 0;
};

// The access's reader thread fed arbitrary read-pipe bytes through a driver
// that delivers them as a device would: 64-byte units of USB-MIDI packets
// (a short last unit padded with zero packets), and after a bulk marker raw
// bytes, of which a short last piece fails the read.
//
// The first four bytes choose what the access waits for:
//   0     0 listens (the low bits of byte 1 are the queue limit), 1 expects
//         any of the ids of bytes 1 and 2, 2 expects the reply of byte 1
//         with the data size of bytes 2 and 3 (little-endian)
//   1, 2  message ids (taken modulo the number of ids)
// Everything after them is what the device sends.
#include "FuzzSupport.h"

#include "device/DirectUsbAccess.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace
{
constexpr int modeBytes = 4;
constexpr int deviceNumber = 0;

// One Plovara whose read pipe delivers the bytes given, then nothing; when
// they are used up it says so once, so the test can stop waiting.
class FuzzDriver : public UsbDriver
{
public:
    FuzzDriver (const uint8_t* bytes, size_t size, std::function<void()> whenDrained)
        : data (bytes), remaining (size), onDrained (std::move (whenDrained))
    {
    }

    Handle openDeviceObject (int number) override { return number == deviceNumber ? 1 : invalidHandle; }
    Handle openReadPipe (int number) override { return number == deviceNumber ? 2 : invalidHandle; }
    Handle openWritePipe (int number) override { return number == deviceNumber ? 3 : invalidHandle; }
    void closeHandle (Handle) override {}
    uint32_t requestDriverVersion (Handle) override { return 0x01000000; }
    uint32_t requestIdentifier (Handle) override { return (uint32_t) DirectUsbAccess::plovaraProductId; }
    uint32_t requestStringIndices (Handle) override { return 0; }
    juce::MemoryBlock requestStringDescriptor (Handle, int) override { return {}; }
    bool write (Handle, const void*, int) override { return true; }

    ReadResult read (Handle, void* dest, int count, ReadMode mode, int, const StopRequest& stopRequested) override
    {
        FUZZ_CHECK (count > 0);

        if (remaining == 0)
        {
            drained();

            // Nothing more will come: wait for the stop, without spinning hot.
            while (! stopRequested())
                std::this_thread::yield();

            return ReadResult::nothing;
        }

        const auto taken = std::min (remaining, (size_t) count);
        std::memcpy (dest, data, taken);
        data += taken;
        remaining -= taken;

        if (taken == (size_t) count)
            return ReadResult::complete;

        if (mode == ReadMode::packets)
        {
            std::memset (static_cast<uint8_t*> (dest) + taken, 0, (size_t) count - taken);
            return ReadResult::complete;
        }

        return ReadResult::failed;
    }

private:
    void drained()
    {
        if (! reportedDrained)
            onDrained();

        reportedDrained = true;
    }

    const uint8_t* data;
    size_t remaining;
    std::function<void()> onDrained;
    bool reportedDrained = false;
};

int messageId (uint8_t byte)
{
    return byte % SysExCommand::numMessageIds;
}

void startReader (UsbAccess& access, const uint8_t* mode)
{
    switch (mode[0] % 3)
    {
        case 0:  access.listen (1 + mode[1] % 8); break;
        case 1:  access.expectReplies ({ messageId (mode[1]), messageId (mode[2]) }, nullptr); break;
        default: access.expectReply (messageId (mode[1]), mode[2] | (mode[3] << 8), nullptr); break;
    }
}

// What the access hands over must be a message it could have decoded, or
// the raw bytes of a bulk reply.
void checkMessage (const SysExCommand& message)
{
    FUZZ_CHECK (message.messageId >= 0 && message.messageId < SysExCommand::numMessageIds);
}
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size < (size_t) modeBytes)
        return 0;

    // The device's bytes in a block of their own, so a read past them shows.
    const auto deviceBytes = FuzzSupport::exactCopy (data + modeBytes, size - modeBytes);
    DirectUsbAccess* accessPointer = nullptr;

    DirectUsbAccess access (std::make_unique<FuzzDriver> (deviceBytes.get(), size - modeBytes,
                                                          [&accessPointer] { accessPointer->setCancelled (true); }));
    accessPointer = &access;
    access.setTimeout (0);
    FUZZ_CHECK (access.open() == UsbAccess::opened);

    startReader (access, data);

    // Every message until the reply, or until the device has nothing more.
    while (auto message = access.waitForMessage())
        checkMessage (*message);

    access.stop();
    access.close();
    return 0;
}

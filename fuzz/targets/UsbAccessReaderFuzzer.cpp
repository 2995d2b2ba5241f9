// The access's read pipe parser fed arbitrary bytes as a device delivers
// them: 64-byte units of USB-MIDI packets (a short last unit padded with zero
// packets), and after a bulk marker raw bytes, of which a short last piece
// fails the read. The access's reader thread reads the same way through its
// driver; here the reads come straight from the input, so that an input
// costs no thread.
//
// The first four bytes choose what is awaited:
//   0     0 nothing (listening), 1 any of the ids of bytes 1 and 2, 2 the
//         reply of byte 1 with the data size of bytes 2 and 3 (little-endian)
//   1, 2  message ids (taken modulo the number of ids)
// Everything after them is what the device sends.
#include "FuzzSupport.h"

#include "device/ReadPipeParser.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr int modeBytes = 4;

int messageId (uint8_t byte)
{
    return byte % SysExCommand::numMessageIds;
}

ReadPipeParser::Expectation expectationOf (const uint8_t* mode)
{
    switch (mode[0] % 3)
    {
        case 0:  return {};
        case 1:  return ReadPipeParser::Expectation::anyOf ({ messageId (mode[1]), messageId (mode[2]) });
        default: return ReadPipeParser::Expectation::reply (messageId (mode[1]), mode[2] | (mode[3] << 8));
    }
}

void checkId (int id)
{
    FUZZ_CHECK (id >= 0 && id < SysExCommand::numMessageIds);
}

// What the access would get: each message one it could have decoded, or the
// raw bytes of a bulk reply.
struct Handover : public ReadPipeParser::Receiver
{
    int replies = 0;

    void bytesArrived() override {}
    void messageArrived (std::unique_ptr<SysExCommand> message, bool) override { checkId (message->messageId); }
    void replyProgress (int id, double) override { checkId (id); }

    void replyArrived (std::unique_ptr<SysExCommand> reply) override
    {
        ++replies;

        if (reply != nullptr)
            checkId (reply->messageId);
    }
};

// The device's bytes not read yet, delivered as the driver does.
struct ReadPipe
{
    const uint8_t* bytes;
    size_t remaining;

    // False when nothing is left, or a short last piece of raw bytes fails.
    bool deliver (const ReadPipeParser::Read& read)
    {
        FUZZ_CHECK (read.count > 0);

        if (remaining == 0)
            return false;

        const auto taken = std::min (remaining, (size_t) read.count);
        std::memcpy (read.dest, bytes, taken);
        bytes += taken;
        remaining -= taken;

        if (taken == (size_t) read.count)
            return true;

        if (read.mode == UsbDriver::ReadMode::packets)
        {
            std::memset (read.dest + taken, 0, (size_t) read.count - taken);
            return true;
        }

        return false;
    }
};
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size < (size_t) modeBytes)
        return 0;

    // The device's bytes in a block of their own, so a read past them shows.
    const auto deviceBytes = FuzzSupport::exactCopy (data + modeBytes, size - modeBytes);
    ReadPipe pipe { deviceBytes.get(), size - modeBytes };

    Handover handover;
    ReadPipeParser parser (handover);
    parser.start (expectationOf (data));

    while (! parser.hasEnded())
    {
        const auto read = parser.nextRead();

        if (! pipe.deliver (read))
            break;

        parser.take (read);
    }

    // Reading ends exactly when the reply awaited has been handed over.
    FUZZ_CHECK (parser.hasEnded() == (handover.replies > 0));
    return 0;
}

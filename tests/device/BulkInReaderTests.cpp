#include "TestSupport.h"

#include "device/LibUsbDriver.h"

#include <gtest/gtest.h>

#include <deque>
#include <numeric>

using TestSupport::Bytes;
using Mode = UsbDriver::ReadMode;

namespace
{
// An endpoint that delivers packets of the given sizes, cut from the bytes
// 1, 2, 3, ... in turn. Like a USB transfer, it takes packets until the
// length asked for is filled or a packet comes short; a packet larger than
// the space left overflows the transfer, which then fails.
struct PacketEndpoint
{
    int packetSize;
    std::deque<int> packets;
    int nextByte = 1;
    int overflows = 0;

    int transfer (uint8_t* dest, int length)
    {
        int filled = 0;

        while (! packets.empty() && filled < length)
        {
            const int size = packets.front();

            if (size > length - filled)
            {
                ++overflows;
                return -1;
            }

            packets.pop_front();
            for (int i = 0; i < size; ++i)
                dest[filled++] = (uint8_t) nextByte++;

            if (size < packetSize)
                break;
        }

        return filled;
    }
};

struct Read
{
    Mode mode;
    int count;
    int realBytes;   // the rest of the unit is zero padding
};

struct ReadCase
{
    const char* what;
    int packetSize;
    std::vector<int> packets;
    std::vector<Read> reads;
};

const ReadCase readCases[] = {
    { "full-speed units", 64, { 64, 64 }, { { Mode::packets, 64, 64 }, { Mode::packets, 64, 64 } } },
    { "one high-speed packet holds eight units", 512, { 512 },
      std::vector<Read> (8, Read { Mode::packets, 64, 64 }) },
    { "a short packet ends a unit", 512, { 100, 64 },
      { { Mode::packets, 64, 64 }, { Mode::packets, 64, 36 }, { Mode::packets, 64, 64 } } },
    { "bulk bytes after a marker in the same packet", 512, { 512 }, { { Mode::packets, 64, 64 }, { Mode::raw, 448, 448 } } },
    { "the surplus of a bulk read is kept", 512, { 512, 512, 100 }, { { Mode::raw, 1000, 1000 }, { Mode::raw, 124, 124 } } },
    { "raw counts below a packet", 64, { 64 }, { { Mode::raw, 10, 10 }, { Mode::raw, 54, 54 } } },
};
}

TEST (BulkInReader, ReadsWholePacketsAndLosesNoByte)
{
    for (const auto& c : readCases)
    {
        PacketEndpoint endpoint { c.packetSize, { c.packets.begin(), c.packets.end() } };
        BulkInReader reader (c.packetSize, [&] (uint8_t* dest, int length, int) { return endpoint.transfer (dest, length); });
        uint8_t expected = 1;

        for (size_t r = 0; r < c.reads.size(); ++r)
        {
            const auto& read = c.reads[r];
            Bytes unit ((size_t) read.count, 0xee);
            ASSERT_EQ (reader.read (unit.data(), read.count, read.mode, 10, [] { return true; }),
                       UsbDriver::ReadResult::complete) << c.what << ", read " << r;

            Bytes wanted ((size_t) read.count, 0);
            std::iota (wanted.begin(), wanted.begin() + read.realBytes, expected);
            expected = (uint8_t) (expected + read.realBytes);
            EXPECT_EQ (unit, wanted) << c.what << ", read " << r;
        }

        EXPECT_EQ (endpoint.overflows, 0) << c.what;
        EXPECT_TRUE (endpoint.packets.empty()) << c.what;
    }
}

TEST (BulkInReader, TellsSilenceFromFailure)
{
    const struct
    {
        const char* what;
        Mode mode;
        int count;
        std::vector<int> packets;
        int failAfter;   // transfers before the endpoint fails; -1: never
        UsbDriver::ReadResult expected;
    } cases[] = {
        { "silence", Mode::packets, 64, {}, -1, UsbDriver::ReadResult::nothing },
        { "a failed endpoint", Mode::packets, 64, {}, 0, UsbDriver::ReadResult::failed },
        { "a stop while bulk bytes are missing", Mode::raw, 100, { 64 }, -1, UsbDriver::ReadResult::failed },
        { "a failure while bulk bytes are missing", Mode::raw, 100, { 64 }, 1, UsbDriver::ReadResult::failed },
    };

    for (const auto& c : cases)
    {
        PacketEndpoint endpoint { 64, { c.packets.begin(), c.packets.end() } };
        int transfers = 0;
        BulkInReader reader (64, [&] (uint8_t* dest, int length, int)
        {
            return transfers++ == c.failAfter ? -1 : endpoint.transfer (dest, length);
        });

        Bytes unit ((size_t) c.count);
        EXPECT_EQ (reader.read (unit.data(), c.count, c.mode, 10, [] { return true; }), c.expected) << c.what;
    }
}

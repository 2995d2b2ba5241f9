#include "TestSupport.h"

#include "device/ReadPipeParser.h"

#include <gtest/gtest.h>

#include <cstring>

using TestSupport::Bytes;
using TestSupport::ByteBuilder;

namespace
{
struct Recorder : ReadPipeParser::Receiver
{
    std::vector<int> messages;
    std::vector<bool> limited;
    std::vector<std::unique_ptr<SysExCommand>> replies;
    std::vector<double> fractions;

    void bytesArrived() override {}
    void messageArrived (std::unique_ptr<SysExCommand> message, bool isLimited) override
    {
        messages.push_back (message->messageId);
        limited.push_back (isLimited);
    }
    void replyArrived (std::unique_ptr<SysExCommand> reply) override { replies.push_back (std::move (reply)); }
    void replyProgress (int, double fraction) override { fractions.push_back (fraction); }
};

// What one read asks for, filled with the bytes given.
void deliver (ReadPipeParser& parser, const Bytes& bytes, UsbDriver::ReadMode mode)
{
    const auto read = parser.nextRead();
    ASSERT_EQ (read.mode, mode);
    ASSERT_EQ ((size_t) read.count, bytes.size());
    std::memcpy (read.dest, bytes.data(), bytes.size());
    parser.take (read);
}

// Packets on cable 1: F0 42 30 | 7F 23 F7 (status 24), F0 42 30 | 7F 24 F7
// (status 25), then zero packets to the end of the unit.
const Bytes twoStatusMessages = ByteBuilder()
    .add ({ 0x14, 0xf0, 0x42, 0x30, 0x17, 0x7f, 0x23, 0xf7, 0x14, 0xf0, 0x42, 0x30, 0x17, 0x7f, 0x24, 0xf7 })
    .fill (0, 48).bytes;

const Bytes bulkMarker = ByteBuilder().fill (0xff, 3).fill (0, 61).bytes;
}

TEST (ReadPipeParser, AMessageNotAwaitedIsPassedOnAndTheReplyEndsReading)
{
    Recorder recorder;
    ReadPipeParser parser (recorder);
    parser.start (ReadPipeParser::Expectation::anyOf ({ SysExCommand::requestFailed }));

    deliver (parser, twoStatusMessages, UsbDriver::ReadMode::packets);

    EXPECT_EQ (recorder.messages, (std::vector<int> { SysExCommand::writeAccepted }));
    EXPECT_EQ (recorder.limited, (std::vector<bool> { false }));
    ASSERT_EQ (recorder.replies.size(), 1u);
    ASSERT_NE (recorder.replies[0], nullptr);
    EXPECT_EQ (recorder.replies[0]->messageId, SysExCommand::requestFailed);
    EXPECT_EQ (recorder.fractions, (std::vector<double> { 1.0 }));
    EXPECT_TRUE (parser.hasEnded());
}

TEST (ReadPipeParser, AfterTheMarkerABulkReplyIsReadRawAndListeningReadsTheMarkerAsPackets)
{
    Recorder recorder;
    ReadPipeParser parser (recorder);
    parser.start (ReadPipeParser::Expectation::reply (SysExCommand::sampleData, 5));

    deliver (parser, bulkMarker, UsbDriver::ReadMode::packets);
    deliver (parser, { 1, 2, 3, 4, 5 }, UsbDriver::ReadMode::raw);

    ASSERT_EQ (recorder.replies.size(), 1u);
    EXPECT_EQ (recorder.replies[0]->messageId, SysExCommand::sampleData);
    EXPECT_EQ (TestSupport::Bytes ((const uint8_t*) recorder.replies[0]->data.getData(),
                                   (const uint8_t*) recorder.replies[0]->data.getData() + 5),
               (Bytes { 1, 2, 3, 4, 5 }));
    EXPECT_TRUE (parser.hasEnded());

    parser.start ({});
    deliver (parser, bulkMarker, UsbDriver::ReadMode::packets);
    deliver (parser, twoStatusMessages, UsbDriver::ReadMode::packets);
    EXPECT_EQ (recorder.limited, (std::vector<bool> { true, true }));
    EXPECT_FALSE (parser.hasEnded());
}

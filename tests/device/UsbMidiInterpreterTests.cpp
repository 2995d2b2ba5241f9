#include "TestSupport.h"

#include "device/UsbMidiInterpreter.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
// Records every call of the interpreter.
struct Recorder : public UsbMidiInterpreterCallback
{
    struct SysExReport
    {
        Bytes bytes;
        bool complete;
        int cable;
    };

    struct ShortMessage
    {
        Bytes bytes;
        int cable;
    };

    void handleShortMessage (const juce::MidiMessage& message, int cable) override
    {
        const auto* raw = message.getRawData();
        shortMessages.push_back ({ Bytes (raw, raw + message.getRawDataSize()), cable });
    }

    int getSysExNotifyInterval() override { return interval; }

    void handleSysExData (const uint8_t* data, int length, bool complete, int cable) override
    {
        sysEx.push_back ({ Bytes (data, data + length), complete, cable });
    }

    std::vector<size_t> partialLengths() const
    {
        std::vector<size_t> lengths;
        for (auto& report : sysEx)
            if (! report.complete)
                lengths.push_back (report.bytes.size());
        return lengths;
    }

    int interval = 64;
    std::vector<SysExReport> sysEx;
    std::vector<ShortMessage> shortMessages;
};

Bytes packetsOf (const UsbMidiInterpreter& interpreter, const Bytes& message)
{
    const auto block = interpreter.makePackets (message.data(), message.size());
    auto* p = static_cast<const uint8_t*> (block.getData());
    return Bytes (p, p + block.getSize());
}

// A system exclusive message of the given length: F0, counting bytes, F7.
Bytes sysExOfLength (size_t length)
{
    Bytes message (length);
    for (size_t i = 0; i < length; ++i)
        message[i] = (uint8_t) (i % 0x80);
    message.front() = 0xF0;
    message.back() = 0xF7;
    return message;
}

void process (UsbMidiInterpreter& interpreter, const Bytes& block)
{
    interpreter.processPackets (block.data(), block.size());
}
}

TEST (UsbMidiPackets, TailsOfOneTwoAndThreeBytesEndWithTheirOwnCodeIndex)
{
    Recorder recorder;
    UsbMidiInterpreter interpreter (recorder, 1, true);

    EXPECT_EQ (packetsOf (interpreter, { 0xF0, 0x42, 0x30, 0x7F, 0x10, 0xF7 }),
               (Bytes { 0x14, 0xF0, 0x42, 0x30, 0x17, 0x7F, 0x10, 0xF7 }));
    EXPECT_EQ (packetsOf (interpreter, { 0xF0, 0x42, 0x30, 0x7F, 0x45, 0x01, 0xF7 }),
               (Bytes { 0x14, 0xF0, 0x42, 0x30, 0x14, 0x7F, 0x45, 0x01, 0x15, 0xF7, 0x00, 0x00 }));
    EXPECT_EQ (packetsOf (interpreter, { 0xF0, 0x42, 0x30, 0x7F, 0xF7 }),
               (Bytes { 0x14, 0xF0, 0x42, 0x30, 0x16, 0x7F, 0xF7, 0x00 }));
    EXPECT_EQ (packetsOf (interpreter, { 0xF0, 0xF7 }), (Bytes { 0x16, 0xF0, 0xF7, 0x00 }));
    EXPECT_TRUE (packetsOf (interpreter, {}).empty());
}

TEST (UsbMidiPackets, CableNumberGoesIntoTheUpperHalfAndInvalidCablesAreZero)
{
    Recorder recorder;
    const Bytes message { 0xF0, 0x7E, 0xF7 };

    EXPECT_EQ (packetsOf (UsbMidiInterpreter (recorder, 15, true), message), (Bytes { 0xF7, 0xF0, 0x7E, 0xF7 }));
    EXPECT_EQ (packetsOf (UsbMidiInterpreter (recorder, 16, true), message), (Bytes { 0x07, 0xF0, 0x7E, 0xF7 }));
    EXPECT_EQ (packetsOf (UsbMidiInterpreter (recorder, -1, true), message), (Bytes { 0x07, 0xF0, 0x7E, 0xF7 }));
}

TEST (UsbMidiInterpreter, ReassemblesAMessageFromStartContinueAndEndPackets)
{
    Recorder recorder;
    UsbMidiInterpreter interpreter (recorder, 1, true);

    process (interpreter, { 0x14, 0xF0, 0x42, 0x30, 0x14, 0x7F, 0x45, 0x01, 0x15, 0xF7, 0x00, 0x00 });

    ASSERT_EQ (recorder.sysEx.size(), 1u);
    EXPECT_EQ (recorder.sysEx[0].bytes, (Bytes { 0xF0, 0x42, 0x30, 0x7F, 0x45, 0x01, 0xF7 }));
    EXPECT_TRUE (recorder.sysEx[0].complete);
    EXPECT_EQ (recorder.sysEx[0].cable, 1);
}

TEST (UsbMidiInterpreter, MessagesOfOnePacketAreCompleteAtOnce)
{
    Recorder recorder;
    UsbMidiInterpreter interpreter (recorder, 1, true);

    process (interpreter, { 0x17, 0xF0, 0x01, 0xF7, 0x06, 0xF0, 0xF7, 0x00 });

    ASSERT_EQ (recorder.sysEx.size(), 2u);
    EXPECT_EQ (recorder.sysEx[0].bytes, (Bytes { 0xF0, 0x01, 0xF7 }));
    EXPECT_EQ (recorder.sysEx[1].bytes, (Bytes { 0xF0, 0xF7 }));
    EXPECT_EQ (recorder.sysEx[1].cable, 0);
    EXPECT_TRUE (recorder.shortMessages.empty());
}

TEST (UsbMidiInterpreter, AMessageSplitAcrossTwoReadsIsReportedOnceComplete)
{
    Recorder recorder;
    recorder.interval = 0;
    UsbMidiInterpreter interpreter (recorder, 1, true);
    const auto message = sysExOfLength (100);
    const auto packets = packetsOf (interpreter, message);

    process (interpreter, Bytes (packets.begin(), packets.begin() + 64));
    EXPECT_TRUE (recorder.sysEx.empty());
    process (interpreter, Bytes (packets.begin() + 64, packets.end()));

    ASSERT_EQ (recorder.sysEx.size(), 1u);
    EXPECT_EQ (recorder.sysEx[0].bytes, message);
    EXPECT_TRUE (recorder.sysEx[0].complete);
}

TEST (UsbMidiInterpreter, GrowingMessageIsReportedEachTimeItPassesAnotherInterval)
{
    Recorder recorder;
    UsbMidiInterpreter interpreter (recorder, 1, true);
    const auto message = sysExOfLength (200);

    process (interpreter, packetsOf (interpreter, message));

    EXPECT_EQ (recorder.partialLengths(), (std::vector<size_t> { 66, 129, 192 }));
    ASSERT_EQ (recorder.sysEx.size(), 4u);
    EXPECT_EQ (recorder.sysEx[1].bytes, Bytes (message.begin(), message.begin() + 129));
    EXPECT_TRUE (recorder.sysEx[3].complete);
    EXPECT_EQ (recorder.sysEx[3].bytes, message);
}

TEST (UsbMidiInterpreter, NoPartialReportsWithoutAnInterval)
{
    Recorder recorder;
    UsbMidiInterpreter interpreter (recorder, 1, true);

    for (int interval : { 0, -5 })
    {
        recorder.interval = interval;
        recorder.sysEx.clear();
        process (interpreter, packetsOf (interpreter, sysExOfLength (200)));

        ASSERT_EQ (recorder.sysEx.size(), 1u);
        EXPECT_TRUE (recorder.sysEx[0].complete);
    }
}

TEST (UsbMidiInterpreter, CablesInterleaveWithoutMixingTheirBuffers)
{
    Recorder recorder;
    recorder.interval = 0;
    UsbMidiInterpreter interpreter (recorder, 0, true);

    process (interpreter, { 0x14, 0xF0, 0x01, 0x02,
                            0x24, 0xF0, 0x11, 0x12,
                            0x14, 0x03, 0x04, 0x05,
                            0x25, 0xF7, 0x00, 0x00,
                            0x16, 0x06, 0xF7, 0x00 });

    ASSERT_EQ (recorder.sysEx.size(), 2u);
    EXPECT_EQ (recorder.sysEx[0].cable, 2);
    EXPECT_EQ (recorder.sysEx[0].bytes, (Bytes { 0xF0, 0x11, 0x12, 0xF7 }));
    EXPECT_EQ (recorder.sysEx[1].cable, 1);
    EXPECT_EQ (recorder.sysEx[1].bytes, (Bytes { 0xF0, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xF7 }));
}

TEST (UsbMidiInterpreter, TrailingPartOfABlockIsDroppedOrKeptAsAsked)
{
    const auto block = ByteBuilder().fill (0, 60).add ({ 0x17, 0xF0, 0x01, 0xF7, 0x17, 0xF0 }).bytes;
    ASSERT_EQ (block.size(), 66u);

    Recorder dropping;
    UsbMidiInterpreter droppingInterpreter (dropping, 1, true);
    process (droppingInterpreter, block);
    process (droppingInterpreter, { 0x02, 0xF7 });
    EXPECT_EQ (dropping.sysEx.size(), 1u);

    Recorder keeping;
    UsbMidiInterpreter keepingInterpreter (keeping, 1, false);
    process (keepingInterpreter, block);
    process (keepingInterpreter, { 0x02 });
    EXPECT_EQ (keeping.sysEx.size(), 1u);
    process (keepingInterpreter, { 0xF7 });
    ASSERT_EQ (keeping.sysEx.size(), 2u);
    EXPECT_EQ (keeping.sysEx[1].bytes, (Bytes { 0xF0, 0x02, 0xF7 }));
}

TEST (UsbMidiInterpreter, ZeroAndReservedPacketsAreIgnored)
{
    Recorder recorder;
    UsbMidiInterpreter interpreter (recorder, 1, true);

    process (interpreter, ByteBuilder().fill (0, 64).add ({ 0x11, 0x90, 0x40, 0x40, 0x30, 0xF0, 0xF7, 0x00 }).bytes);
    interpreter.processPackets (nullptr, 16);

    EXPECT_TRUE (recorder.sysEx.empty());
    EXPECT_TRUE (recorder.shortMessages.empty());
}

TEST (UsbMidiInterpreter, ShortMessagesCarryTheByteCountOfTheirCodeIndex)
{
    Recorder recorder;
    UsbMidiInterpreter interpreter (recorder, 1, true);

    process (interpreter, { 0x19, 0x90, 0x3C, 0x64,     // note on
                            0x3C, 0xC0, 0x05, 0x77,     // program change: 2 bytes
                            0x0F, 0xF8, 0x55, 0x55,     // clock: 1 byte
                            0x05, 0xF6, 0x00, 0x00,     // system common of one byte outside SysEx
                            0x02, 0xF3, 0x01, 0x00 });  // song select

    ASSERT_EQ (recorder.shortMessages.size(), 5u);
    EXPECT_EQ (recorder.shortMessages[0].bytes, (Bytes { 0x90, 0x3C, 0x64 }));
    EXPECT_EQ (recorder.shortMessages[0].cable, 1);
    EXPECT_EQ (recorder.shortMessages[1].bytes, (Bytes { 0xC0, 0x05 }));
    EXPECT_EQ (recorder.shortMessages[1].cable, 3);
    EXPECT_EQ (recorder.shortMessages[2].bytes, (Bytes { 0xF8 }));
    EXPECT_EQ (recorder.shortMessages[3].bytes, (Bytes { 0xF6 }));
    EXPECT_EQ (recorder.shortMessages[4].bytes, (Bytes { 0xF3, 0x01 }));
    EXPECT_TRUE (recorder.sysEx.empty());
}

TEST (UsbMidiInterpreter, SingleByteEndPacketInsideAMessageEndsIt)
{
    Recorder recorder;
    UsbMidiInterpreter interpreter (recorder, 1, true);

    process (interpreter, { 0x14, 0xF0, 0x01, 0x02, 0x15, 0xF7, 0x00, 0x00 });

    ASSERT_EQ (recorder.sysEx.size(), 1u);
    EXPECT_EQ (recorder.sysEx[0].bytes, (Bytes { 0xF0, 0x01, 0x02, 0xF7 }));
    EXPECT_TRUE (recorder.shortMessages.empty());
}

TEST (UsbMidiInterpreter, ANewStartDropsAMessageThatNeverEnded)
{
    Recorder recorder;
    recorder.interval = 0;
    UsbMidiInterpreter interpreter (recorder, 1, true);

    process (interpreter, { 0x14, 0xF0, 0x42, 0x30,         // cut off: the cable was pulled
                            0x14, 0xF0, 0x42, 0x31,
                            0x16, 0x7F, 0xF7, 0x00 });

    ASSERT_EQ (recorder.sysEx.size(), 1u);
    EXPECT_EQ (recorder.sysEx[0].bytes, (Bytes { 0xF0, 0x42, 0x31, 0x7F, 0xF7 }));
}

TEST (UsbMidiInterpreter, AMessageWithoutEndIsAbandonedAtTheLengthBound)
{
    Recorder recorder;
    recorder.interval = 4;
    UsbMidiInterpreter interpreter (recorder, 1, true, 9);

    process (interpreter, { 0x14, 0xF0, 0x00, 0x00, 0x14, 0x01, 0x02, 0x03, 0x14, 0x04, 0x05, 0x06 });
    EXPECT_EQ (recorder.partialLengths(), (std::vector<size_t> { 6, 9 }));

    // one packet too many: the message is dropped up to its end
    process (interpreter, { 0x14, 0x07, 0x08, 0x09, 0x14, 0x0A, 0x0B, 0x0C, 0x16, 0x0D, 0xF7, 0x00 });
    EXPECT_EQ (recorder.sysEx.size(), 2u);

    process (interpreter, { 0x14, 0xF0, 0x05, 0x06, 0x16, 0x07, 0xF7, 0x00 });
    ASSERT_EQ (recorder.sysEx.size(), 3u);
    EXPECT_EQ (recorder.sysEx[2].bytes, (Bytes { 0xF0, 0x05, 0x06, 0x07, 0xF7 }));
    EXPECT_TRUE (recorder.sysEx[2].complete);

    // a start byte ends the dropping as well
    process (interpreter, ByteBuilder().add ({ 0x14, 0xF0, 0x00, 0x00 }).fill (0x14, 1).fill (0, 3)
                                       .fill (0x14, 1).fill (0, 3).fill (0x14, 1).fill (0, 3)
                                       .add ({ 0x17, 0xF0, 0x09, 0xF7 }).bytes);
    EXPECT_EQ (recorder.sysEx.back().bytes, (Bytes { 0xF0, 0x09, 0xF7 }));
    EXPECT_TRUE (recorder.sysEx.back().complete);
}

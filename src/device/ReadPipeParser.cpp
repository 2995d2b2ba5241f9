#include "device/ReadPipeParser.h"

#include "device/SevenBitPacking.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr int markerLength = 3;
constexpr int partialProgressStep = 1024;
}

bool ReadPipeParser::isBulkId (int id)
{
    return id == SysExCommand::patternData || id == SysExCommand::sampleData;
}

bool ReadPipeParser::isBulkMarker (const uint8_t* unit)
{
    for (int i = 0; i < unitSize; ++i)
        if (unit[i] != (i < markerLength ? 0xff : 0x00))
            return false;

    return true;
}

juce::MemoryBlock ReadPipeParser::makeBulkMarker()
{
    juce::MemoryBlock marker ((size_t) unitSize, true);
    std::memset (marker.getData(), 0xff, markerLength);
    return marker;
}

int ReadPipeParser::expectedMessageSize (int id, int dataSize)
{
    if (id == SysExCommand::deviceInquiryRequest)
        return 6;
    if (id == SysExCommand::deviceInquiryReply)
        return 15;
    if (isBulkId (id))
        return std::max (dataSize, 0);
    if (id < 0 || id >= SysExCommand::numMessageIds)
        return 0;

    // F0, manufacturer, channel, product, function, the header fields, the
    // packed data and F7.
    const auto& layout = SysExCommand::getLayout (id);
    int size = 6 + (layout.bank ? 1 : 0) + (layout.sample ? 1 : 0) + (layout.pattern ? 1 : 0)
             + (layout.words ? 6 : 0) + (layout.option ? 1 : 0) + (layout.size ? 3 : 0);

    if (dataSize > 0)
        size += (int) SevenBitPacking::packedSize ((size_t) dataSize);

    return size;
}

ReadPipeParser::ReadPipeParser (Receiver& receiverToUse)
    : receiver (receiverToUse),
      interpreter (*this, 1, true)
{
}

void ReadPipeParser::start (const Expectation& expected)
{
    expectation = expected;
    ended = false;
    replyMatched = false;
    progressMark = 0;
    bulkMode = false;
    bulkBuffer.reset();
    bulkFill = 0;
}

ReadPipeParser::Read ReadPipeParser::nextRead()
{
    if (! bulkMode)
        return { unit.data(), unitSize, UsbDriver::ReadMode::packets };

    // Bulk bytes go straight into the bulk buffer, in pieces.
    const int remaining = (int) bulkBuffer.getSize() - bulkFill;
    return { static_cast<uint8_t*> (bulkBuffer.getData()) + bulkFill, std::min (bulkBufferSize, remaining),
             UsbDriver::ReadMode::raw };
}

void ReadPipeParser::take (const Read& read)
{
    if (bulkMode)
    {
        advanceBulk (read.count);
    }
    else if (isBulkMarker (unit.data()) && expectation.awaitingReply)
    {
        // Listening, a marker would end the reader with a reply nobody
        // waits for; it is read as the packets it is.
        bulkMode = true;
        bulkBuffer.setSize ((size_t) std::max (expectation.size, 0));
        bulkFill = 0;
        receiver.bytesArrived();
    }
    else
    {
        interpreter.processPackets (unit.data(), (size_t) unitSize);
    }

    if (bulkMode && bulkFill >= (int) bulkBuffer.getSize())
        finishBulk();
}

int ReadPipeParser::bulkReplyId() const
{
    return expectation.ids.empty() ? 0 : expectation.ids.front();
}

void ReadPipeParser::advanceBulk (int count)
{
    receiver.bytesArrived();
    const int before = bulkFill;
    bulkFill += count;

    // Progress once per 16384 bytes; the end is reported by finishBulk.
    if (bulkFill < (int) bulkBuffer.getSize() && bulkFill / bulkBufferSize > before / bulkBufferSize)
    {
        progressMark = bulkFill;
        receiver.replyProgress (bulkReplyId(), (double) bulkFill / (double) bulkBuffer.getSize());
    }
}

void ReadPipeParser::finishBulk()
{
    auto command = std::make_unique<SysExCommand> (bulkReplyId());
    command->data.swapWith (bulkBuffer);
    bulkBuffer.reset();
    bulkMode = false;
    ended = true;
    receiver.replyArrived (std::move (command));
    receiver.replyProgress (bulkReplyId(), 1.0);
}

bool ReadPipeParser::isExpected (int id) const
{
    return std::find (expectation.ids.begin(), expectation.ids.end(), id) != expectation.ids.end();
}

void ReadPipeParser::handleSysExData (const uint8_t* data, int length, bool complete, int)
{
    receiver.bytesArrived();

    if (! expectation.awaitingReply)
    {
        if (complete)
            pass (data, length, true);
        return;
    }

    if (! replyMatched)
    {
        const int id = SysExCommand::identify (data, (size_t) length);

        if (id == SysExCommand::none || ! isExpected (id))
        {
            if (complete)
                pass (data, length, false);
            return;
        }

        replyMatched = true;
        matchedId = id;

        // A size already known from the expectation is the better divisor.
        if (expectation.size <= 0)
            expectation.size = expectedMessageSize (id, 0);
    }

    if (complete)
    {
        auto command = std::make_unique<SysExCommand>();
        receiver.replyArrived (command->decode (data, (size_t) length) ? std::move (command) : nullptr);
        receiver.replyProgress (matchedId, 1.0);
        ended = true;
        return;
    }

    if (expectation.size > 0 && length / partialProgressStep > progressMark / partialProgressStep)
    {
        progressMark = length;
        receiver.replyProgress (matchedId, (double) length / expectation.size);
    }
}

void ReadPipeParser::pass (const uint8_t* data, int length, bool limited)
{
    auto command = std::make_unique<SysExCommand>();

    if (command->decode (data, (size_t) length))
        receiver.messageArrived (std::move (command), limited);
}

#include "device/SysExCommand.h"

#include "device/SevenBitPacking.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr uint8_t sysExStart = 0xf0;
constexpr uint8_t sysExEnd = 0xf7;
constexpr uint8_t manufacturerId = 0x42;
constexpr uint8_t channelBase = 0x30;
constexpr uint8_t productId = 0x7f;
constexpr uint8_t universalNonRealTime = 0x7e;
constexpr uint8_t generalInformation = 0x06;
constexpr uint8_t inquiryRequestSubId = 0x01;
constexpr uint8_t inquiryReplySubId = 0x02;
constexpr uint8_t markBit = 0x40;

// Bytes from the manufacturer id to the function byte.
constexpr size_t functionOffset = 3;

constexpr bool n = false;
constexpr bool y = true;

constexpr SysExCommand::Layout layouts[SysExCommand::numMessageIds] = {
    // function, bank, sample, pattern, 0x40 allowed, 3 words, size, option
    { 0x10, n, n, n, n, n, n, n },
    { 0x16, n, y, n, y, n, n, n },
    { 0x13, n, n, y, y, n, n, n },
    { 0x1c, y, n, n, n, n, n, n },
    { 0x1d, n, n, n, n, n, n, n },
    { 0x14, n, y, n, n, n, n, n },
    { 0x15, n, n, n, n, n, n, n },
    { 0x1f, n, n, n, n, n, n, n },
    { 0x40, n, n, n, n, n, n, n },
    { 0x42, n, y, n, y, n, n, n },
    { 0x43, n, n, y, y, n, y, n },
    { 0x4c, y, n, n, n, n, n, n },
    { 0x4d, n, n, n, n, n, n, n },
    { 0x4f, n, n, n, n, n, n, n },
    { 0x44, n, y, n, n, n, n, n },
    { 0x45, n, n, n, n, n, n, n },
    { 0x0e, n, n, n, n, n, n, n },
    { 0x51, n, n, n, n, n, n, n },
    { 0x11, n, n, n, n, n, n, n },
    { 0x41, n, n, n, n, y, n, n },
    { 0x1a, n, n, n, n, n, n, y },
    { 0x4a, y, n, n, n, n, n, n },
    { 0x21, n, n, n, n, n, n, n },
    { 0x22, n, n, n, n, n, n, n },
    { 0x23, n, n, n, n, n, n, n },
    { 0x24, n, n, n, n, n, n, n },
    { 0x26, n, n, n, n, n, n, n },
    { 0x27, n, n, n, n, n, n, n },
    { 0x28, n, n, n, n, n, n, n },
    { 0x29, n, n, n, n, n, n, n },
    { 0x00, n, n, n, n, n, n, n },   // universal device inquiry request
    { 0x00, n, n, n, n, n, n, n },   // universal device inquiry reply
};

constexpr uint8_t inquiryRequestMessage[] = { 0xf0, 0x7e, 0x7f, 0x06, 0x01, 0xf7 };
constexpr uint8_t inquiryReplyMessage[] = { 0xf0, 0x7e, 0x00, 0x06, 0x02, 0x42, 0x7f,
                                            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xf7 };

// The bulk messages carry one zero byte before their (unused) size field.
bool hasBulkPadByte (int id)
{
    return id == SysExCommand::patternData || id == SysExCommand::sampleData;
}

uint8_t numberByte (int number, int maximum, bool mark)
{
    return (uint8_t) (std::clamp (number, 0, maximum) | (mark ? markBit : 0));
}

// Reads header fields one byte at a time without passing the end.
struct FieldReader
{
    const uint8_t* bytes;
    size_t position;
    size_t end;

    bool next (uint8_t& byte)
    {
        if (position >= end)
            return false;

        byte = bytes[position++];
        return true;
    }
};

bool allSevenBit (const uint8_t* bytes, size_t start, size_t end)
{
    return std::all_of (bytes + start, bytes + end, [] (uint8_t b) { return b < 0x80; });
}
}

SysExCommand::SysExCommand (int id)
    : messageId (id >= 0 && id < numMessageIds ? id : none)
{
}

SysExCommand::SysExCommand (int id, const void* rawBytes, size_t size)
    : SysExCommand (id)
{
    if (rawBytes != nullptr)
        data.replaceAll (rawBytes, size);
}

const SysExCommand::Layout& SysExCommand::getLayout (int id)
{
    jassert (id >= 0 && id < numMessageIds);
    return layouts[std::clamp (id, 0, numMessageIds - 1)];
}

juce::MemoryBlock SysExCommand::encode() const
{
    if (messageId == deviceInquiryRequest)
        return { inquiryRequestMessage, sizeof (inquiryRequestMessage) };

    if (messageId == deviceInquiryReply)
        return { inquiryReplyMessage, sizeof (inquiryReplyMessage) };

    if (messageId == none)
        return {};

    const auto header = encodeHeader();
    const size_t packedBytes = SevenBitPacking::packedSize (data.getSize());
    juce::MemoryBlock message (header.size() + packedBytes + 1);
    auto* out = static_cast<uint8_t*> (message.getData());

    std::memcpy (out, header.data(), header.size());
    SevenBitPacking::pack (static_cast<const uint8_t*> (data.getData()), data.getSize(), out + header.size());
    out[header.size() + packedBytes] = sysExEnd;
    return message;
}

std::vector<uint8_t> SysExCommand::encodeHeader() const
{
    const auto& layout = getLayout (messageId);
    std::vector<uint8_t> header { sysExStart, manufacturerId, (uint8_t) (channelBase | (channel & 0x0f)),
                                  productId, layout.function };

    if (layout.bank)
        header.push_back (numberByte (bankNumber, maxBankNumber, false));

    if (layout.sample)
        header.push_back (numberByte (sampleNumber, maxSampleNumber, layout.markAllowed && markFlag));

    if (layout.pattern)
        header.push_back (numberByte (patternNumber, maxPatternNumber, layout.markAllowed && markFlag));

    if (layout.words)
    {
        // 14-bit words, low seven bits first; negative values in two's complement
        for (int word : { word1, word2, word3 })
        {
            header.push_back ((uint8_t) (word & 0x7f));
            header.push_back ((uint8_t) ((word >> 7) & 0x7f));
        }
    }

    if (layout.option)
        header.push_back ((uint8_t) std::clamp (optionByte, 0, 1));

    if (hasBulkPadByte (messageId))
        header.push_back (0);

    if (layout.size)
    {
        header.push_back ((uint8_t) ((dataSize >> 14) & 0x03));
        header.push_back ((uint8_t) ((dataSize >> 7) & 0x7f));
        header.push_back ((uint8_t) (dataSize & 0x7f));
    }

    return header;
}

int SysExCommand::identify (const void* message, size_t length)
{
    const auto* bytes = static_cast<const uint8_t*> (message);

    if (bytes == nullptr || length < 4)
        return none;

    const size_t start = bytes[0] == sysExStart ? 1 : 0;
    const size_t functionIndex = start + functionOffset;

    if (functionIndex >= length)
        return none;

    const uint8_t function = bytes[functionIndex];

    if (bytes[start] == universalNonRealTime)
    {
        if (bytes[start + 2] != generalInformation)
            return none;

        return function == inquiryRequestSubId ? deviceInquiryRequest
             : function == inquiryReplySubId   ? deviceInquiryReply
                                               : none;
    }

    if (bytes[start] != manufacturerId || (bytes[start + 1] & channelBase) != channelBase
        || bytes[start + 2] != productId)
        return none;

    for (int id = 0; id < numMessageIds; ++id)
        if (layouts[id].function == function)
            return id;

    return none;
}

bool SysExCommand::decode (const void* message, size_t length)
{
    *this = SysExCommand();
    const auto* bytes = static_cast<const uint8_t*> (message);

    if (bytes == nullptr || length < 4)
        return false;

    const bool framed = bytes[0] == sysExStart;

    if (framed && (length < 6 || bytes[length - 1] != sysExEnd))
        return false;

    // Between F0 and F7 every byte of a system exclusive message has bit 7
    // clear; anything else is a garbled or cut message.
    const size_t start = framed ? 1 : 0;
    const size_t end = framed ? length - 1 : length;

    if (! allSevenBit (bytes, start, end))
        return false;

    SysExCommand decoded;
    const bool valid = bytes[start] == universalNonRealTime
                           ? decoded.decodeUniversalMessage (bytes, start, end)
                           : decoded.decodeDeviceMessage (bytes, start, end, identify (bytes, length));

    if (valid)
        *this = std::move (decoded);

    return valid;
}

bool SysExCommand::decodeDeviceMessage (const uint8_t* bytes, size_t start, size_t end, int id)
{
    if (id == none)
        return false;

    const auto& layout = getLayout (id);
    FieldReader reader { bytes, start + functionOffset + 1, end };
    uint8_t byte = 0;

    channel = bytes[start + 1] & 0x0f;

    if (layout.bank)
    {
        if (! reader.next (byte))
            return false;
        bankNumber = std::min<int> (byte, maxBankNumber);
    }

    if (layout.sample)
    {
        if (! reader.next (byte))
            return false;
        sampleNumber = std::min (byte & 0x3f, maxSampleNumber);
        markFlag = layout.markAllowed && (byte & markBit) != 0;
    }

    if (layout.pattern)
    {
        if (! reader.next (byte))
            return false;
        patternNumber = std::min (byte & 0x3f, maxPatternNumber);
        markFlag = layout.markAllowed && (byte & markBit) != 0;
    }

    if (layout.words)
    {
        for (int* word : { &word1, &word2, &word3 })
        {
            uint8_t high = 0;
            if (! reader.next (byte) || ! reader.next (high))
                return false;
            *word = byte | (high << 7);
        }
    }

    if (layout.option)
    {
        if (! reader.next (byte))
            return false;
        optionByte = std::min<int> (byte, 1);
    }

    if (hasBulkPadByte (id) && ! reader.next (byte))
        return false;

    if (layout.size)
    {
        uint8_t middle = 0, low = 0;
        if (! reader.next (byte) || ! reader.next (middle) || ! reader.next (low))
            return false;
        dataSize = (byte & 0x03) * 16384 + middle * 128 + low;
    }

    const size_t packedBytes = end - reader.position;
    data.setSize (SevenBitPacking::unpackedSize (packedBytes));
    SevenBitPacking::unpack (bytes + reader.position, packedBytes, static_cast<uint8_t*> (data.getData()));
    messageId = id;
    return true;
}

bool SysExCommand::decodeUniversalMessage (const uint8_t* bytes, size_t start, size_t end)
{
    // Offsets from the 7E byte: channel, 06, sub-id, then for the reply the
    // manufacturer id, family code and member code (two bytes each, low first).
    if (end < start + 4 || bytes[start + 2] != generalInformation)
        return false;

    channel = bytes[start + 1] & 0x0f;
    const uint8_t subId = bytes[start + 3];

    if (subId == inquiryRequestSubId)
    {
        messageId = deviceInquiryRequest;
        return end == start + 4;
    }

    if (subId != inquiryReplySubId || end < start + 13 || bytes[start + 4] != manufacturerId)
        return false;

    word1 = bytes[start + 5] + 256 * bytes[start + 6];
    word2 = bytes[start + 7] + 256 * bytes[start + 8];
    word3 = word1 == inquiryFamilyCode ? 1 : 0;
    messageId = deviceInquiryReply;
    return true;
}

#include "TestSupport.h"

#include "device/SevenBitPacking.h"
#include "device/SysExCommand.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
Bytes pack (const Bytes& data)
{
    Bytes packed (SevenBitPacking::packedSize (data.size()));
    SevenBitPacking::pack (data.data(), data.size(), packed.data());
    return packed;
}

Bytes unpack (const Bytes& packed)
{
    Bytes data (SevenBitPacking::unpackedSize (packed.size()));
    SevenBitPacking::unpack (packed.data(), packed.size(), data.data());
    return data;
}

Bytes bytesOf (const juce::MemoryBlock& block)
{
    auto* p = static_cast<const uint8_t*> (block.getData());
    return Bytes (p, p + block.getSize());
}

Bytes encode (const SysExCommand& command)
{
    return bytesOf (command.encode());
}

SysExCommand decoded (const Bytes& message, bool expectValid = true)
{
    SysExCommand command;
    EXPECT_EQ (command.decode (message.data(), message.size()), expectValid);
    return command;
}

bool decodes (const Bytes& message)
{
    SysExCommand command;
    return command.decode (message.data(), message.size());
}

int identify (const Bytes& message)
{
    return SysExCommand::identify (message.data(), message.size());
}

// Every header field set, so that each layout shows which ones it sends:
// channel 2, bank 3, sample 4, pattern 5, words 1 2 3, option 1, size 300.
SysExCommand commandWithAllFields (int id)
{
    SysExCommand command (id);
    command.channel = 2;
    command.bankNumber = 3;
    command.sampleNumber = 4;
    command.patternNumber = 5;
    command.word1 = 1;
    command.word2 = 2;
    command.word3 = 3;
    command.optionByte = 1;
    command.dataSize = 300;
    return command;
}

struct EncodingExample
{
    int id;
    Bytes fields;   // bytes from the function byte up to F7
};

const EncodingExample encodingExamples[] = {
    { 0, { 0x10 } },
    { 1, { 0x16, 0x04 } },
    { 2, { 0x13, 0x05 } },
    { 3, { 0x1C, 0x03 } },
    { 4, { 0x1D } },
    { 5, { 0x14, 0x04 } },
    { 6, { 0x15 } },
    { 7, { 0x1F } },
    { 8, { 0x40 } },
    { 9, { 0x42, 0x04 } },
    { 10, { 0x43, 0x05, 0x00, 0x02, 0x2C } },
    { 11, { 0x4C, 0x03 } },
    { 12, { 0x4D, 0x00 } },
    { 13, { 0x4F, 0x00 } },
    { 14, { 0x44, 0x04 } },
    { 15, { 0x45 } },
    { 16, { 0x0E } },
    { 17, { 0x51 } },
    { 18, { 0x11 } },
    { 19, { 0x41, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00 } },
    { 20, { 0x1A, 0x01 } },
    { 21, { 0x4A, 0x03 } },
    { 22, { 0x21 } },
    { 23, { 0x22 } },
    { 24, { 0x23 } },
    { 25, { 0x24 } },
    { 26, { 0x26 } },
    { 27, { 0x27 } },
    { 28, { 0x28 } },
    { 29, { 0x29 } },
};

// A message on channel 2 with the given bytes from the function byte on.
Bytes deviceMessage (const Bytes& fields)
{
    Bytes message (fields.size() + 5);
    const Bytes start { 0xF0, 0x42, 0x32, 0x7F };
    std::copy (start.begin(), start.end(), message.begin());
    std::copy (fields.begin(), fields.end(), message.begin() + 4);
    message.back() = 0xF7;
    return message;
}
}

TEST (SevenBitPacking, SevenBytesPackIntoEightWithTheirTopBitsFirst)
{
    const Bytes data { 0x80, 0x01, 0xFF, 0x7F, 0x00, 0x81, 0x02 };
    const Bytes packed { 0x25, 0x00, 0x01, 0x7F, 0x7F, 0x00, 0x01, 0x02 };

    EXPECT_EQ (pack (data), packed);
    EXPECT_EQ (unpack (packed), data);
}

TEST (SevenBitPacking, ShortLastGroupAndEmptyData)
{
    const Bytes data { 0x80, 0x01, 0xFF, 0x7F, 0x00, 0x81, 0x02, 0x90 };
    const Bytes packed { 0x25, 0x00, 0x01, 0x7F, 0x7F, 0x00, 0x01, 0x02, 0x01, 0x10 };

    EXPECT_EQ (pack (data), packed);
    EXPECT_EQ (unpack (packed), data);
    EXPECT_TRUE (pack ({}).empty());
    EXPECT_TRUE (unpack ({}).empty());
    EXPECT_TRUE (unpack ({ 0x7F }).empty());    // a lone top-bits byte carries nothing
}

TEST (SevenBitPacking, SizesFollowTheGroupsOfSeven)
{
    EXPECT_EQ (SevenBitPacking::packedSize (0), 0u);
    EXPECT_EQ (SevenBitPacking::packedSize (1), 2u);
    EXPECT_EQ (SevenBitPacking::packedSize (7), 8u);
    EXPECT_EQ (SevenBitPacking::packedSize (8), 10u);
    EXPECT_EQ (SevenBitPacking::packedSize (2420), 2766u);
    EXPECT_EQ (SevenBitPacking::unpackedSize (10), 8u);
    EXPECT_EQ (SevenBitPacking::unpackedSize (2766), 2420u);

    Bytes everyValue (256);
    for (int i = 0; i < 256; ++i)
        everyValue[(size_t) i] = (uint8_t) i;
    EXPECT_EQ (unpack (pack (everyValue)), everyValue);
}

TEST (SysExCommand, NewCommandsAndIdsOutOfRange)
{
    const SysExCommand none;
    EXPECT_EQ (none.messageId, SysExCommand::none);
    EXPECT_TRUE (none.encode().isEmpty());

    EXPECT_EQ (SysExCommand (31).messageId, 31);
    EXPECT_EQ (SysExCommand (32).messageId, SysExCommand::none);
    EXPECT_EQ (SysExCommand (-7).messageId, SysExCommand::none);

    const Bytes raw { 0x01, 0xFF, 0x80 };
    const SysExCommand bulk (SysExCommand::sampleData, raw.data(), raw.size());
    EXPECT_EQ (bulk.messageId, 13);
    EXPECT_EQ (bytesOf (bulk.data), raw);
    EXPECT_EQ (bulk.sampleNumber, 0);
    EXPECT_EQ (bulk.channel, 0);
}

TEST (SysExCommand, EachIdEncodesExactlyTheFieldsOfItsLayout)
{
    for (const auto& example : encodingExamples)
    {
        SCOPED_TRACE (example.id);
        EXPECT_EQ (encode (commandWithAllFields (example.id)), deviceMessage (example.fields));
    }
}

TEST (SysExCommand, EachIdDecodesBackToItsFields)
{
    for (const auto& example : encodingExamples)
    {
        SCOPED_TRACE (example.id);
        const auto layout = SysExCommand::getLayout (example.id);
        const auto command = decoded (deviceMessage (example.fields));

        EXPECT_EQ (command.messageId, example.id);
        EXPECT_EQ (command.channel, 2);
        EXPECT_EQ (command.bankNumber, layout.bank ? 3 : 0);
        EXPECT_EQ (command.sampleNumber, layout.sample ? 4 : 0);
        EXPECT_EQ (command.patternNumber, layout.pattern ? 5 : 0);
        EXPECT_EQ (command.word2, layout.words ? 2 : 0);
        EXPECT_EQ (command.optionByte, layout.option ? 1 : 0);
        EXPECT_EQ (command.dataSize, layout.size ? 300 : 0);
        EXPECT_EQ (command.data.getSize(), 0u);
    }
}

TEST (SysExCommand, DataIsPackedBetweenHeaderAndEnd)
{
    SysExCommand effect (SysExCommand::effectData);
    const Bytes data { 0x01, 0x82, 0x7F };
    effect.data.replaceAll (data.data(), data.size());

    const Bytes message { 0xF0, 0x42, 0x30, 0x7F, 0x45, 0x02, 0x01, 0x02, 0x7F, 0xF7 };
    EXPECT_EQ (encode (effect), message);
    EXPECT_EQ (bytesOf (decoded (message).data), data);
}

TEST (SysExCommand, NumbersAreClampedAndMarkedOnlyWhereAllowed)
{
    SysExCommand header (SysExCommand::sampleHeaderRequest);
    header.sampleNumber = 40;
    EXPECT_EQ (encode (header), (Bytes { 0xF0, 0x42, 0x30, 0x7F, 0x16, 0x23, 0xF7 }));
    header.markFlag = true;
    EXPECT_EQ (encode (header), (Bytes { 0xF0, 0x42, 0x30, 0x7F, 0x16, 0x63, 0xF7 }));

    SysExCommand parameters (SysExCommand::sampleParameterRequest);
    parameters.sampleNumber = -3;
    parameters.markFlag = true;
    EXPECT_EQ (encode (parameters), (Bytes { 0xF0, 0x42, 0x30, 0x7F, 0x14, 0x00, 0xF7 }));

    SysExCommand pattern (SysExCommand::patternInfoRequest);
    pattern.patternNumber = 99;
    pattern.markFlag = true;
    pattern.channel = 0x1F;
    EXPECT_EQ (encode (pattern), (Bytes { 0xF0, 0x42, 0x3F, 0x7F, 0x13, 0x4F, 0xF7 }));

    SysExCommand bank (SysExCommand::bankRequest);
    bank.bankNumber = 9;
    EXPECT_EQ (encode (bank), (Bytes { 0xF0, 0x42, 0x30, 0x7F, 0x1C, 0x07, 0xF7 }));

    SysExCommand leave (SysExCommand::leaveBankDump);
    leave.optionByte = 5;
    EXPECT_EQ (encode (leave), (Bytes { 0xF0, 0x42, 0x30, 0x7F, 0x1A, 0x01, 0xF7 }));
}

TEST (SysExCommand, DecodedNumbersAreClampedAndMarkRead)
{
    const auto header = decoded ({ 0xF0, 0x42, 0x30, 0x7F, 0x42, 0x7F, 0xF7 });
    EXPECT_EQ (header.sampleNumber, 35);
    EXPECT_TRUE (header.markFlag);

    const auto parameters = decoded ({ 0xF0, 0x42, 0x30, 0x7F, 0x44, 0x45, 0xF7 });
    EXPECT_EQ (parameters.sampleNumber, 5);
    EXPECT_FALSE (parameters.markFlag);

    const auto info = decoded ({ 0xF0, 0x42, 0x30, 0x7F, 0x43, 0x54, 0x00, 0x00, 0x00, 0xF7 });
    EXPECT_EQ (info.patternNumber, 15);
    EXPECT_TRUE (info.markFlag);

    EXPECT_EQ (decoded ({ 0xF0, 0x42, 0x30, 0x7F, 0x4A, 0x0C, 0xF7 }).bankNumber, 7);
    EXPECT_EQ (decoded ({ 0xF0, 0x42, 0x30, 0x7F, 0x1A, 0x02, 0xF7 }).optionByte, 1);
}

TEST (SysExCommand, NegativeWordsAreSentInFourteenBitTwosComplement)
{
    SysExCommand change (SysExCommand::parameterChange);
    change.word1 = 0x50;
    change.word2 = 3;
    change.word3 = -63;

    EXPECT_EQ (encode (change), (Bytes { 0xF0, 0x42, 0x30, 0x7F, 0x41, 0x50, 0x00, 0x03, 0x00, 0x41, 0x7F, 0xF7 }));
    EXPECT_EQ (decoded (encode (change)).word3, 0x3FC1);
}

TEST (SysExCommand, SixteenBitSizeTravelsInThreeBytes)
{
    SysExCommand info (SysExCommand::patternInfo);
    info.dataSize = 0xFFFF;

    const Bytes message { 0xF0, 0x42, 0x30, 0x7F, 0x43, 0x00, 0x03, 0x7F, 0x7F, 0xF7 };
    EXPECT_EQ (encode (info), message);
    EXPECT_EQ (decoded (message).dataSize, 0xFFFF);
}

TEST (SysExCommand, DeviceInquiryMessagesAreFixed)
{
    SysExCommand request (SysExCommand::deviceInquiryRequest);
    request.channel = 5;
    EXPECT_EQ (encode (request), (Bytes { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 }));
    EXPECT_EQ (encode (SysExCommand (SysExCommand::deviceInquiryReply)),
               (Bytes { 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x42, 0x7F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7 }));

    const auto decodedRequest = decoded ({ 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 });
    EXPECT_EQ (decodedRequest.messageId, SysExCommand::deviceInquiryRequest);
    EXPECT_EQ (decodedRequest.channel, 15);
    EXPECT_FALSE (decodes ({ 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0x00, 0xF7 }));
}

TEST (SysExCommand, InquiryReplyGivesFamilyMemberAndTheMatchFlag)
{
    const auto reply = decoded ({ 0xF0, 0x7E, 0x03, 0x06, 0x02, 0x42, 0x7F, 0x00, 0x12, 0x01,
                                  0x00, 0x00, 0x00, 0x00, 0xF7 });
    EXPECT_EQ (reply.messageId, SysExCommand::deviceInquiryReply);
    EXPECT_EQ (reply.channel, 3);
    EXPECT_EQ (reply.word1, 0x007F);
    EXPECT_EQ (reply.word2, 0x0112);
    EXPECT_EQ (reply.word3, 1);

    const auto foreignFamily = decoded ({ 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x42, 0x7E, 0x00, 0x00, 0x00,
                                          0x00, 0x00, 0x00, 0x00, 0xF7 });
    EXPECT_EQ (foreignFamily.messageId, SysExCommand::deviceInquiryReply);
    EXPECT_EQ (foreignFamily.word1, 0x007E);
    EXPECT_EQ (foreignFamily.word3, 0);
}

TEST (SysExCommand, MalformedInquiryRepliesAreNotValid)
{
    // 14 bytes; another maker; not general information; unknown sub-id
    EXPECT_FALSE (decodes ({ 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x42, 0x7F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7 }));
    EXPECT_FALSE (decodes ({ 0xF0, 0x7E, 0x00, 0x06, 0x02, 0x43, 0x7F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7 }));
    EXPECT_FALSE (decodes ({ 0xF0, 0x7E, 0x00, 0x09, 0x02, 0x42, 0x7F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7 }));
    EXPECT_FALSE (decodes ({ 0xF0, 0x7E, 0x00, 0x06, 0x03, 0x42, 0x7F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7 }));
}

TEST (SysExCommand, IdentifyNeedsOnlyTheBytesUpToTheFunction)
{
    EXPECT_EQ (identify ({ 0xF0, 0x42, 0x30, 0x7F, 0x45 }), SysExCommand::effectData);
    EXPECT_EQ (identify ({ 0x42, 0x35, 0x7F, 0x4C }), SysExCommand::bankImage);
    EXPECT_EQ (identify ({ 0xF0, 0x7E, 0x00, 0x06, 0x02 }), SysExCommand::deviceInquiryReply);
    EXPECT_EQ (identify ({ 0xF0, 0x7E, 0x7F, 0x06, 0x01 }), SysExCommand::deviceInquiryRequest);
    EXPECT_EQ (identify ({ 0xF0, 0x42, 0x30, 0x7F }), SysExCommand::none);
    EXPECT_EQ (identify ({ 0xF0, 0x42, 0x30 }), SysExCommand::none);
    EXPECT_EQ (SysExCommand::identify (nullptr, 8), SysExCommand::none);
}

TEST (SysExCommand, ForeignMessagesAreNeitherIdentifiedNorDecoded)
{
    const Bytes foreign[] = {
        { 0xF0, 0x42, 0x30, 0x7F, 0x50, 0xF7 },    // function byte not in the table
        { 0xF0, 0x43, 0x30, 0x7F, 0x45, 0xF7 },    // another maker
        { 0xF0, 0x42, 0x30, 0x7E, 0x45, 0xF7 },    // another product of the maker
        { 0xF0, 0x42, 0x20, 0x7F, 0x45, 0xF7 },    // not a channel byte
        { 0xF0, 0x7E, 0x00, 0x09, 0x01, 0xF7 },    // another universal message
        { 0xF0, 0x7E, 0x00, 0x06, 0x05, 0xF7 },
    };

    for (const auto& message : foreign)
    {
        EXPECT_EQ (identify (message), SysExCommand::none);
        EXPECT_FALSE (decodes (message));
    }
}

TEST (SysExCommand, TruncatedOrGarbledMessagesAreNotValid)
{
    EXPECT_FALSE (decodes ({ 0xF0, 0x42, 0x30, 0x7F, 0x45, 0x02, 0x01 }));          // no F7
    EXPECT_FALSE (decodes ({ 0xF0, 0x42, 0x30, 0x7F, 0x42, 0xF7 }));                // no sample byte
    EXPECT_FALSE (decodes ({ 0xF0, 0x42, 0x30, 0x7F, 0x43, 0x01, 0x00, 0x00, 0xF7 })); // size cut short
    EXPECT_FALSE (decodes ({ 0xF0, 0x42, 0x30, 0x7F, 0x41, 0x01, 0x00, 0x02, 0xF7 })); // words cut short
    EXPECT_FALSE (decodes ({ 0xF0, 0x42, 0x30, 0x7F, 0x45, 0x02, 0x81, 0x02, 0xF7 })); // bit 7 inside
    EXPECT_FALSE (decodes ({ 0xF0, 0x42, 0x30, 0x7F, 0xF7 }));
    EXPECT_FALSE (decodes ({ 0x42, 0x30, 0x7F }));
    EXPECT_FALSE (decodes ({}));

    SysExCommand command;
    EXPECT_FALSE (command.decode (nullptr, 12));
}

TEST (SysExCommand, EveryPrefixOfALongMessageFailsWithoutReadingBeyondIt)
{
    SysExCommand image (SysExCommand::bankImage);
    image.bankNumber = 2;
    image.data.setSize (2420, true);
    const auto message = encode (image);

    for (size_t length = 0; length < message.size(); ++length)
    {
        // a copy of exactly that length, so that a sanitizer sees any overread
        const Bytes prefix (message.begin(), message.begin() + (std::ptrdiff_t) length);
        ASSERT_FALSE (decodes (prefix)) << length;
    }

    const auto whole = decoded (message);
    EXPECT_EQ (whole.bankNumber, 2);
    EXPECT_EQ (whole.data.getSize(), 2420u);
}

TEST (SysExCommand, AFailedDecodeResetsEveryField)
{
    auto command = decoded ({ 0xF0, 0x42, 0x35, 0x7F, 0x44, 0x07, 0x02, 0x01, 0x02, 0x7F, 0xF7 });
    ASSERT_EQ (command.sampleNumber, 7);

    const Bytes cut { 0xF0, 0x42, 0x35, 0x7F, 0x44, 0x07, 0x02 };
    EXPECT_FALSE (command.decode (cut.data(), cut.size()));
    EXPECT_EQ (command.messageId, SysExCommand::none);
    EXPECT_EQ (command.sampleNumber, 0);
    EXPECT_EQ (command.channel, 0);
    EXPECT_TRUE (command.data.isEmpty());
}

TEST (SysExCommand, MessagesWithoutStartByteTakeEverythingAsBody)
{
    const auto command = decoded ({ 0x42, 0x31, 0x7F, 0x51, 0x00, 0x46, 0x00 });
    EXPECT_EQ (command.messageId, SysExCommand::globalData);
    EXPECT_EQ (command.channel, 1);
    EXPECT_EQ (bytesOf (command.data), (Bytes { 0x46, 0x00 }));
}

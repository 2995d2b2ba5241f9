#include "TestSupport.h"

#include "data/SampleData.h"
#include "device/BankImage.h"
#include "device/DeviceMessages.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
Bytes bytesOf (const juce::MemoryBlock& block)
{
    auto* p = static_cast<const uint8_t*> (block.getData());
    return Bytes (p, p + block.getSize());
}

// An image whose every component has bytes of its own: bank parameters
// 0xB0, sample i's block 0x40 + i, pattern k's length k + 1, effect 0xEE.
BankImage distinctImage()
{
    BankImage image;
    image.bankParameters.fill (0xB0);
    for (size_t i = 0; i < 36; ++i)
        image.sampleParameters[i].fill ((uint8_t) (0x40 + i));
    for (size_t k = 0; k < 16; ++k)
        image.patternLengths[k] = (uint8_t) (k + 1);
    image.effect.fill (0xEE);
    return image;
}

Bytes distinctImageBytes()
{
    ByteBuilder b;
    b.fill (0xB0, 64);
    for (int i = 0; i < 36; ++i)
        b.fill (0x40 + i, 64);
    for (int k = 0; k < 16; ++k)
        b.add ({ k + 1 });
    b.fill (0xEE, 36);
    return b.bytes;
}

Bytes encode (const SysExCommand& command)
{
    return bytesOf (command.encode());
}
}

TEST (BankImage, ComponentsSitAtTheirOffsets)
{
    const auto bytes = distinctImageBytes();
    ASSERT_EQ (bytes.size(), 2420u);
    EXPECT_EQ (bytesOf (distinctImage().build()), bytes);
}

TEST (BankImage, ParseTakesTheComponentsBackAndRefusesShortImages)
{
    const auto bytes = distinctImageBytes();
    BankImage image;

    EXPECT_FALSE (image.parse (bytes.data(), bytes.size() - 1));
    EXPECT_FALSE (image.parse (nullptr, 4000));
    EXPECT_EQ (image.effect[0], 0);

    ASSERT_TRUE (image.parse (bytes.data(), bytes.size()));
    EXPECT_EQ (bytesOf (image.build()), bytes);
}

TEST (BankImage, SampleBlocksAreTheSamplesOwnParameterBlocks)
{
    SampleData sample;
    sample.setName ("KICK");
    sample.setParameter (SampleData::level, 90);

    BankImage image;
    image.setSampleParameters (35, sample);

    const auto expected = ByteBuilder().text ("KICK    ").add ({ 0x80 }).fill (0xFF, 3).le32 (0).le32 (0)
                                       .add ({ 127, 20, 0xFF, 90, 64, 64, 64, 64 }).fill (0xFF, 4).fill (0, 32).bytes;
    const auto built = bytesOf (image.build());
    EXPECT_EQ (Bytes (built.begin() + 64 + 35 * 64, built.begin() + 64 + 36 * 64), expected);

    SampleData received;
    image.applySampleParameters (35, received);
    EXPECT_EQ (received.getName(), "KICK");
    EXPECT_EQ (received.getParameter (SampleData::level), 90);
}

TEST (BankImage, PatternLengthIsTheLowByteOfTheRecordedLength)
{
    auto block = ByteBuilder().text ("SEQP").fill (0, 4).add ({ 0x00, 0x04, 0x01, 0x05 }).fill (0, 1296).bytes;
    ASSERT_EQ (block.size(), 1308u);

    EXPECT_EQ (BankImage::patternLengthByte (block.data(), block.size()), 0x05);
    EXPECT_EQ (BankImage::patternLengthByte (block.data(), 1307), 0);
    EXPECT_EQ (BankImage::patternLengthByte (nullptr, 2000), 0);

    BankImage image;
    image.setPatternLength (15, block.data(), block.size());
    EXPECT_EQ (bytesOf (image.build())[2368 + 15], 0x05);
}

TEST (DeviceMessages, BankImageGoesToTheCurrentOrAStoredBank)
{
    const auto image = distinctImage();

    const auto current = DeviceMessages::bankImage (-1, image, 4);
    EXPECT_EQ (current.messageId, SysExCommand::currentBankImage);
    const auto currentBytes = encode (current);
    ASSERT_EQ (currentBytes.size(), 5u + 2766u + 1u);
    // the first group of seven bank parameter bytes 0xB0: all top bits set
    EXPECT_EQ (Bytes (currentBytes.begin(), currentBytes.begin() + 7),
               (Bytes { 0xF0, 0x42, 0x34, 0x7F, 0x40, 0x7F, 0x30 }));

    const auto stored = encode (DeviceMessages::bankImage (6, image, 0));
    ASSERT_EQ (stored.size(), 6u + 2766u + 1u);
    EXPECT_EQ (Bytes (stored.begin(), stored.begin() + 8), (Bytes { 0xF0, 0x42, 0x30, 0x7F, 0x4C, 0x06, 0x7F, 0x30 }));

    SysExCommand received;
    ASSERT_TRUE (received.decode (stored.data(), stored.size()));
    BankImage back;
    ASSERT_TRUE (back.parse (received.data.getData(), received.data.getSize()));
    EXPECT_EQ (bytesOf (back.build()), distinctImageBytes());
}

TEST (DeviceMessages, SampleHeaderAndParametersCarryTheSampleImages)
{
    SampleData sample;
    // the header 00 00 00 00 B0 04 01 FF, packed in a group of seven and a group of one
    EXPECT_EQ (encode (DeviceMessages::sampleHeader (5, sample, 12)),
               (Bytes { 0xF0, 0x42, 0x3C, 0x7F, 0x42, 0x05,
                        0x10, 0x00, 0x00, 0x00, 0x00, 0x30, 0x04, 0x01, 0x01, 0x7F, 0xF7 }));

    const auto parameters = DeviceMessages::sampleParameters (7, sample, 0);
    EXPECT_EQ (parameters.messageId, SysExCommand::sampleParameters);
    EXPECT_EQ (parameters.sampleNumber, 7);
    ASSERT_EQ (parameters.data.getSize(), 64u);
    EXPECT_EQ (bytesOf (parameters.data)[8], 0x80);
}

TEST (DeviceMessages, BulkMessagesHoldTheirBytesRaw)
{
    SampleData sample;
    sample.resize (1, 2, 48000.0, false);
    sample.getAudio().setSample (0, 0, 1.0f);
    sample.getAudio().setSample (0, 1, -1.0f);

    const auto pcm = DeviceMessages::sampleData (sample);
    EXPECT_EQ (pcm.messageId, SysExCommand::sampleData);
    EXPECT_EQ (bytesOf (pcm.data), (Bytes { 0x7F, 0xFF, 0x80, 0x00 }));

    const Bytes block { 'S', 'E', 'Q', 'P' };
    EXPECT_EQ (bytesOf (DeviceMessages::patternData (block.data(), block.size()).data), block);
}

TEST (DeviceMessages, SmallMessagesOfTheSessions)
{
    EXPECT_EQ (encode (DeviceMessages::request (SysExCommand::sampleHeaderRequest, 1, 9)),
               (Bytes { 0xF0, 0x42, 0x31, 0x7F, 0x16, 0x09, 0xF7 }));
    EXPECT_EQ (encode (DeviceMessages::request (SysExCommand::bankRequest, 0, 7)),
               (Bytes { 0xF0, 0x42, 0x30, 0x7F, 0x1C, 0x07, 0xF7 }));
    EXPECT_EQ (encode (DeviceMessages::patternInfo (3, 1308, 0)),
               (Bytes { 0xF0, 0x42, 0x30, 0x7F, 0x43, 0x03, 0x00, 0x0A, 0x1C, 0xF7 }));
    EXPECT_EQ (encode (DeviceMessages::parameterChange (0x50, 3, -63, 2)),
               (Bytes { 0xF0, 0x42, 0x32, 0x7F, 0x41, 0x50, 0x00, 0x03, 0x00, 0x41, 0x7F, 0xF7 }));
    EXPECT_EQ (encode (DeviceMessages::leaveBankDump (true, 0)), (Bytes { 0xF0, 0x42, 0x30, 0x7F, 0x1A, 0x01, 0xF7 }));
    EXPECT_EQ (encode (DeviceMessages::leaveBankDump (false, 0)), (Bytes { 0xF0, 0x42, 0x30, 0x7F, 0x1A, 0x00, 0xF7 }));

    DeviceMessages::GlobalImage global {};
    global[0] = 0x46;
    const auto globalBytes = encode (DeviceMessages::globalData (global, 0));
    EXPECT_EQ (globalBytes.size(), 5u + 19u + 1u);
    EXPECT_EQ (Bytes (globalBytes.begin() + 4, globalBytes.begin() + 7), (Bytes { 0x51, 0x00, 0x46 }));

    BankImage::EffectImage effect {};
    effect[0] = 6;
    EXPECT_EQ (encode (DeviceMessages::effect (effect, 0)).size(), 5u + 42u + 1u);
}

TEST (DeviceMessages, ReplyDataFillsOnlyTheStartOfAnImage)
{
    const Bytes shortData { 1, 2, 3 };
    const SysExCommand shortReply (SysExCommand::globalData, shortData.data(), shortData.size());
    DeviceMessages::GlobalImage image;
    image.fill (0xAA);

    EXPECT_EQ (DeviceMessages::copyReplyData (shortReply, image.data(), image.size()), 3u);
    EXPECT_EQ (image[2], 3);
    EXPECT_EQ (image[3], 0xAA);

    const Bytes longData (40, 0x11);
    const SysExCommand longReply (SysExCommand::globalData, longData.data(), longData.size());
    EXPECT_EQ (DeviceMessages::copyReplyData (longReply, image.data(), image.size()), 16u);
    EXPECT_EQ (image[15], 0x11);
    EXPECT_EQ (DeviceMessages::copyReplyData (SysExCommand(), image.data(), image.size()), 0u);
}

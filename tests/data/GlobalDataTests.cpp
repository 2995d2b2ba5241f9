#include "TestSupport.h"

#include "app/Exception.h"
#include "data/DataFile.h"
#include "data/GlobalData.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
ByteBuilder globalChunkHeader (int payloadSize = 16)
{
    ByteBuilder b;
    b.text ("3872GlbD").le16 (32).le32 (payloadSize).le16 (0).le16 (3).le16 (0)
     .le32 (1).le32 (payloadSize).fill (0xFF, 4);
    return b;
}

Bytes imageOf (const GlobalData& global)
{
    return Bytes (global.getImage().begin(), global.getImage().end());
}

juce::String readInto (GlobalData& global, const Bytes& bytes)
{
    juce::MemoryInputStream in (bytes.data(), bytes.size(), false);
    try
    {
        global.readFrom (in);
    }
    catch (const Exception& e)
    {
        return e.getMessageKey();
    }
    return {};
}

const Bytes defaultImageBytes = ByteBuilder().add ({ 0x46, 0x00, 0x01, 0x11, 0x00, 0x1A }).fill (0, 10).bytes;
}

TEST (GlobalData, DefaultImageAndItsFields)
{
    GlobalData global;
    EXPECT_EQ (imageOf (global), defaultImageBytes);

    const int expected[GlobalData::numFields] = { 2, 0, 1, 1, 0, 0, 1, 1, 0, 1, 0, 3, 2 };
    for (int i = 0; i < GlobalData::numFields; ++i)
        EXPECT_EQ (global.getField (i), expected[i]) << "field " << i;

    const int maxima[GlobalData::numFields] = { 4, 1, 2, 1, 1, 15, 15, 1, 2, 3, 2, 4, 4 };
    for (int i = 0; i < GlobalData::numFields; ++i)
        EXPECT_EQ (GlobalData::getFieldMaximum (i), maxima[i]) << "field " << i;
}

TEST (GlobalData, SettingAFieldKeepsTheOtherBits)
{
    GlobalData global;
    global.setField (GlobalData::midiClock, 3);
    EXPECT_EQ (global.getImage()[3], 0x13);

    global.setField (GlobalData::globalMidiChannel, 17);
    EXPECT_EQ (global.getField (GlobalData::globalMidiChannel), 1);

    // The device's own bits survive every edit.
    const Bytes allSet (16, 0xFF);
    global.setImage (allSet.data(), allSet.size());
    global.setField (GlobalData::startTrim, 0);
    global.setField (GlobalData::keyboardMidiChannel, 0);
    EXPECT_EQ (global.getImage()[5], 0xC7);
    EXPECT_EQ (global.getImage()[2], 0xF0);

    const auto before = imageOf (global);
    global.setField (GlobalData::noField, 0);
    global.setField (GlobalData::numFields, 0);
    EXPECT_EQ (imageOf (global), before);

    EXPECT_EQ (global.getField (-3), global.getField (GlobalData::metronome));
    EXPECT_EQ (global.getField (GlobalData::numFields), 0);
}

TEST (GlobalData, ReceivedImageStartsFromTheDefault)
{
    GlobalData global;
    global.setField (GlobalData::metronome, 4);

    const uint8_t shortImage[2] = { 0x00, 0x05 };
    global.setImage (shortImage, sizeof (shortImage));
    EXPECT_EQ (imageOf (global), ByteBuilder().add ({ 0x00, 0x05, 0x01, 0x11, 0x00, 0x1A }).fill (0, 10).bytes);

    Bytes longImage (20, 0x33);
    global.setImage (longImage.data(), longImage.size());
    EXPECT_EQ (imageOf (global), Bytes (16, 0x33));
}

TEST (GlobalChunk, IsFortyEightBytes)
{
    GlobalData global;
    juce::MemoryOutputStream out;
    EXPECT_TRUE (global.writeTo (out));

    ByteBuilder expected = globalChunkHeader();
    expected.bytes.insert (expected.bytes.end(), defaultImageBytes.begin(), defaultImageBytes.end());
    EXPECT_EQ (global.getChunkSize(), 48);
    EXPECT_EQ (bytesOf (out), expected.bytes);
}

TEST (GlobalChunk, ReadsTheImageAndStopsAtTheChunkEnd)
{
    ByteBuilder b = globalChunkHeader (20);
    b.add ({ 0x00, 0x0F, 0x0F, 0x3F, 0x03, 0x3F }).fill (0xAB, 10).fill (0, 4).text ("NEXT");
    juce::MemoryInputStream in (b.bytes.data(), b.bytes.size(), false);

    GlobalData global;
    global.readFrom (in);
    EXPECT_EQ (global.getField (GlobalData::globalMidiChannel), 15);
    EXPECT_EQ (global.getImage()[15], 0xAB);
    EXPECT_EQ (in.getPosition(), 52);
}

TEST (GlobalChunk, ReadingFailuresCarryTheirKeysAndKeepTheImage)
{
    ByteBuilder bankFile;
    bankFile.text ("3872BnkD").le16 (32).le32 (0).fill (0, 18);

    auto cutTenBytesAfterHeader = globalChunkHeader().fill (0x77, 10).bytes;
    auto payloadTooSmall = globalChunkHeader (8).fill (0x77, 16).bytes;
    auto headerCut = globalChunkHeader().bytes;
    headerCut.resize (20);

    const std::pair<Bytes, const char*> cases[] = {
        { bankFile.bytes, "Error_FileIsNotGlobalDataFile" },
        { headerCut, "Error_FileFailedToReadGlobalHeader" },
        { cutTenBytesAfterHeader, "Error_FileFailedToReadGlobalData" },
        { payloadTooSmall, "Error_FileFailedToReadGlobalData" },
    };

    for (auto& [bytes, key] : cases)
    {
        GlobalData global;
        global.setField (GlobalData::endTrim, 4);
        const auto before = imageOf (global);
        EXPECT_EQ (readInto (global, bytes), key);
        EXPECT_EQ (imageOf (global), before) << key;
    }
}

TEST (GlobalChunk, GlobalFileRoundTrip)
{
    TemporaryFolder temp;
    const auto file = temp.folder.getChildFile ("settings.plvr_glob");

    GlobalData global;
    global.setField (GlobalData::lcdBacklight, 2);
    global.setField (GlobalData::audioInLevel, 2);
    ASSERT_TRUE (DataFile::write (global, file));
    EXPECT_EQ (file.getSize(), 48);

    GlobalData back;
    juce::FileInputStream in (file);
    back.readFrom (in);
    EXPECT_EQ (imageOf (back), imageOf (global));
}

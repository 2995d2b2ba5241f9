#include "TestSupport.h"

#include "app/Exception.h"
#include "data/DataFile.h"
#include "data/SequenceData.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
// The initial pattern, byte by byte: four recorded empty measures, empty
// measures up to 98 and measure 99 as a lone marker.
Bytes initialPatternBytes()
{
    ByteBuilder b;
    b.text ("SEQP").be32 (1308).be16 (4).be16 (4).be32 (8);
    for (int k = 0; k < 100; ++k)
        b.be32 (0x200 + 8 * k);
    b.fill (0xFF, 64)
     .add ({ 0x00 }).fill (0xFF, 7)
     .text ("INITPTRN")
     .fill (0xFF, 16);
    for (int m = 0; m < 99; ++m)
        b.add ({ 0xFF, m, 0x00, 0x02, 0xF0, 0x00, 0x01, 0x80 });
    b.add ({ 0xFF, 0x63, 0x00, 0x01 });
    return b.bytes;
}

ByteBuilder patternChunkHeader (int payloadSize, int childSize)
{
    ByteBuilder b;
    b.text ("3872SeqD").le16 (32).le32 (payloadSize).le16 (0).le16 (3).le16 (0)
     .le32 (1).le32 (childSize).fill (0xFF, 4);
    return b;
}

Bytes blockOf (const SequenceData& pattern)
{
    return Bytes (pattern.getBytes(), pattern.getBytes() + pattern.getSize());
}

Bytes write (Data& data)
{
    juce::MemoryOutputStream out;
    EXPECT_TRUE (data.writeTo (out));
    return bytesOf (out);
}

// Reads the bytes into the pattern; the failure's key, or empty on success.
juce::String readInto (SequenceData& pattern, const Bytes& bytes, juce::int64* endPosition = nullptr)
{
    juce::MemoryInputStream in (bytes.data(), bytes.size(), false);
    try
    {
        pattern.readFrom (in);
    }
    catch (const Exception& e)
    {
        return e.getMessageKey();
    }
    if (endPosition != nullptr)
        *endPosition = in.getPosition();
    return {};
}

SequenceData patternOfSize (int size)
{
    SequenceData pattern;
    EXPECT_TRUE (pattern.setSize (size));
    return pattern;
}
}

TEST (SequenceData, NewAndResetPatternsAreTheInitialPattern)
{
    SequenceData pattern;
    EXPECT_EQ (blockOf (pattern), initialPatternBytes());
    EXPECT_EQ (pattern.getName(), "INITPTRN");
    EXPECT_EQ (pattern.getLengthParameter(), 4);
    EXPECT_EQ (pattern.getRecordedLength(), 4);
    EXPECT_EQ (pattern.getKeyboardSample(), 0);

    pattern.setName ("groove");
    pattern.setSize (2000);
    pattern.resetToDefaults();
    EXPECT_EQ (blockOf (pattern), initialPatternBytes());
}

TEST (SequenceChunk, DefaultPatternIs1344BytesWithTheBlockSizeAsChildSize)
{
    SequenceData pattern;
    ByteBuilder expected = patternChunkHeader (1312, 1308);
    const auto block = initialPatternBytes();
    expected.bytes.insert (expected.bytes.end(), block.begin(), block.end());
    expected.fill (0xFF, 4);

    EXPECT_EQ (pattern.getChunkSize(), 1344);
    EXPECT_EQ (write (pattern), expected.bytes);
}

TEST (SequenceChunk, PaddingAndChunkSizeFollowTheBlockSize)
{
    // A multiple of 16 still gets 16 bytes of padding.
    auto sixteenAligned = patternOfSize (1312);
    EXPECT_EQ (sixteenAligned.getChunkSize(), 32 + 1312 + 16);
    const auto bytes = write (sixteenAligned);
    ASSERT_EQ ((int) bytes.size(), 32 + 1312 + 16);
    EXPECT_EQ (Bytes (bytes.end() - 16, bytes.end()), Bytes (16, 0xFF));

    // An empty block is a bare header.
    auto empty = patternOfSize (0);
    EXPECT_EQ (empty.getChunkSize(), 32);
    EXPECT_EQ (write (empty), patternChunkHeader (0, 0).bytes);
}

TEST (SequenceChunk, ReadsBackWhatItWroteAndStopsAtTheChunkEnd)
{
    auto pattern = patternOfSize (1500);
    pattern.setName ("break 2");
    pattern.setKeyboardSample (35);
    pattern.getBytes()[1499] = 0x5A;

    auto bytes = write (pattern);
    bytes.push_back (0x42);   // the next chunk's first byte

    SequenceData back;
    juce::int64 end = 0;
    EXPECT_EQ (readInto (back, bytes, &end), "");
    EXPECT_EQ (blockOf (back), blockOf (pattern));
    EXPECT_EQ (back.getName(), "BREAK 2");
    EXPECT_EQ (back.getKeyboardSample(), 35);
    EXPECT_EQ (end, (juce::int64) bytes.size() - 1);
}

TEST (SequenceChunk, EmptyPayloadReadsAsAnEmptyPattern)
{
    SequenceData pattern;
    EXPECT_EQ (readInto (pattern, patternChunkHeader (0, 1308).bytes), "");
    EXPECT_EQ (pattern.getSize(), 0);
    EXPECT_EQ (pattern.getName(), "INITPTRN");
    EXPECT_EQ (pattern.getLengthParameter(), 0);
    EXPECT_EQ (pattern.getMemoryUsed(), 0);
}

TEST (SequenceChunk, ChildSizeSmallerThanThePayloadTakesTheFirstBytes)
{
    ByteBuilder b = patternChunkHeader (32, 20);
    b.text ("SEQP").fill (0x11, 16).fill (0xFF, 12);
    b.text ("NEXT");

    SequenceData pattern;
    juce::int64 end = 0;
    EXPECT_EQ (readInto (pattern, b.bytes, &end), "");
    EXPECT_EQ (pattern.getSize(), 20);
    EXPECT_EQ (end, 64);
}

TEST (SequenceChunk, ReadingFailuresCarryTheirKeysAndKeepTheOldBlock)
{
    const auto good = write (*std::make_unique<SequenceData>());

    auto wrongId = good;
    wrongId[4] = 'B';
    auto headerOnlyTenBytes = Bytes (good.begin(), good.begin() + 10);
    auto payloadCut = Bytes (good.begin(), good.end() - 1);

    // Block sizes that a pattern chunk cannot hold are refused.
    auto childAbovePayload = patternChunkHeader (16, 17).fill (0, 16).bytes;
    auto childAboveMaximum = patternChunkHeader (65536 + 16, 65536).fill (0, 65536 + 16).bytes;
    auto negativeChild = patternChunkHeader (16, -1).fill (0, 16).bytes;

    const std::pair<Bytes, const char*> cases[] = {
        { wrongId, "Error_FileFileIsNotSequenceDataFile" },
        { Bytes (good.begin(), good.begin() + 6), "Error_FileFileIsNotSequenceDataFile" },
        { headerOnlyTenBytes, "Error_FileFailedToReadSequenceHeader" },
        { payloadCut, "Error_FileFailedToReadSequenceData" },
        { childAbovePayload, "Error_FileFailedToReadSequenceData" },
        { childAboveMaximum, "Error_FileFailedToReadSequenceData" },
        { negativeChild, "Error_FileFailedToReadSequenceData" },
    };

    for (auto& [bytes, key] : cases)
    {
        auto pattern = patternOfSize (1400);
        pattern.setName ("KEEP");
        EXPECT_EQ (readInto (pattern, bytes), key);
        EXPECT_EQ (pattern.getSize(), 1400) << key;
        EXPECT_EQ (pattern.getName(), "KEEP") << key;
    }
}

TEST (SequenceChunk, LargestPatternReadsBack)
{
    auto pattern = patternOfSize (SequenceData::maximumSize);
    SequenceData back;
    EXPECT_EQ (readInto (back, write (pattern)), "");
    EXPECT_EQ (back.getSize(), 65535);
}

TEST (SequenceData, NameRules)
{
    SequenceData pattern;
    pattern.setName ("ab");
    EXPECT_EQ (pattern.getName(), "AB");
    const auto* block = pattern.getBytes();
    EXPECT_EQ (Bytes (block + 488, block + 496), ByteBuilder().text ("AB      ").bytes);

    pattern.setName ("a longer name");
    EXPECT_EQ (pattern.getName(), "A LONGER");

    pattern.setName (juce::String::fromUTF8 ("caf\xc3\xa9"));
    EXPECT_EQ (pattern.getName(), "A LONGER");

    // A name field that was never set reads as the initial name; zeros end it.
    auto* writable = pattern.getBytes();
    writable[488] = 0xFF;
    EXPECT_EQ (pattern.getName(), "INITPTRN");
    std::memcpy (writable + 488, "XY\0ZZ   ", 8);
    EXPECT_EQ (pattern.getName(), "XY");

    // Blocks too short for the header have no name to change.
    auto shortPattern = patternOfSize (1307);
    const auto before = blockOf (shortPattern);
    shortPattern.setName ("NEW");
    shortPattern.setKeyboardSample (3);
    EXPECT_EQ (blockOf (shortPattern), before);
    EXPECT_EQ (shortPattern.getName(), "INITPTRN");
    EXPECT_EQ (shortPattern.getLengthParameter(), 0);
}

TEST (SequenceData, KeyboardSample)
{
    SequenceData pattern;
    auto* writable = pattern.getBytes();
    writable[480] = 0xFF;
    EXPECT_EQ (pattern.getKeyboardSample(), 0);

    pattern.setKeyboardSample (12);
    EXPECT_EQ (writable[480], 12);
    pattern.setKeyboardSample (99);
    EXPECT_EQ (pattern.getKeyboardSample(), 35);
}

TEST (SequenceData, SizesAndMemory)
{
    SequenceData pattern;
    EXPECT_FALSE (pattern.setSize (65536));
    EXPECT_FALSE (pattern.setSize (-1));
    EXPECT_EQ (pattern.getSize(), 1308);

    EXPECT_TRUE (pattern.setSize (100));
    EXPECT_EQ (pattern.getSize(), 100);

    EXPECT_EQ (SequenceData::memoryForSize (0), 0);
    EXPECT_EQ (SequenceData::memoryForSize (1308), 2048);
    EXPECT_EQ (SequenceData::memoryForSize (2047), 2048);
    EXPECT_EQ (SequenceData::memoryForSize (2048), 4096);
    EXPECT_EQ (patternOfSize (2048).getMemoryUsed(), 4096);

    const Bytes tooLarge (65536, 0);
    EXPECT_FALSE (pattern.setBlock (tooLarge.data(), tooLarge.size()));
    EXPECT_EQ (pattern.getSize(), 100);

    const auto initial = initialPatternBytes();
    EXPECT_TRUE (pattern.setBlock (initial.data(), initial.size()));
    EXPECT_EQ (blockOf (pattern), initial);
}

TEST (SequenceSet, SixteenPatternsInOneChunk)
{
    SequenceSet set;
    EXPECT_NE (set.getPattern (15), nullptr);
    EXPECT_EQ (set.getPattern (16), nullptr);
    EXPECT_EQ (set.getPattern (-1), nullptr);
    EXPECT_EQ (set.getMemoryUsed(), 16 * 2048);

    const auto bytes = write (set);
    ByteBuilder header;
    header.text ("3872SeqS").le16 (32).le32 (16 * 1344).le16 (0).le16 (3).le16 (0)
          .le32 (16).le32 (1344).fill (0xFF, 4);
    ASSERT_EQ ((int) bytes.size(), 32 + 16 * 1344);
    EXPECT_EQ (Bytes (bytes.begin(), bytes.begin() + 32), header.bytes);

    SequenceSet other;
    other.getPattern (3)->setName ("third");
    other.getPattern (3)->setSize (3000);
    set.copyFrom (other);
    EXPECT_EQ (set.getPattern (3)->getName(), "THIRD");
    EXPECT_EQ (set.getMemoryUsed(), 15 * 2048 + 4096);
}

TEST (SequenceSet, PatternSetFileRoundTrip)
{
    TemporaryFolder temp;
    const auto file = temp.folder.getChildFile ("set.plvr_seq");

    SequenceSet set;
    set.getPattern (0)->setName ("first");
    set.getPattern (15)->setSize (0);
    ASSERT_TRUE (DataFile::write (set, file));

    SequenceSet back;
    juce::FileInputStream in (file);
    back.readFrom (in);
    EXPECT_EQ (back.getPattern (0)->getName(), "FIRST");
    EXPECT_EQ (back.getPattern (15)->getSize(), 0);
    EXPECT_EQ (blockOf (*back.getPattern (7)), initialPatternBytes());
}

TEST (SequenceSet, FileOfAnotherKindIsRefused)
{
    ByteBuilder bank;
    bank.text ("3872BnkD").le16 (32).le32 (0).le16 (0).le16 (3).le16 (0).le32 (0).le32 (0).fill (0xFF, 4);
    juce::MemoryInputStream in (bank.bytes.data(), bank.bytes.size(), false);

    SequenceSet set;
    try
    {
        set.readFrom (in);
        FAIL() << "a bank chunk was read as a pattern set";
    }
    catch (const Exception& e)
    {
        EXPECT_EQ (e.getMessageKey(), "Error_FileUnsupportedChunk");
    }
}

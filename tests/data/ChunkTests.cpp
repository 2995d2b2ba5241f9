#include "TestSupport.h"

#include "app/Exception.h"
#include "data/Chunk.h"
#include "data/Data.h"
#include "data/NameField.h"
#include "data/SampleData.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
// A leaf of 4 payload bytes, standing in for any fixed-size leaf.
class TinyLeaf : public Data
{
public:
    explicit TinyLeaf (juce::String id, uint8_t fill = 0) : chunkId (std::move (id)), value (fill) {}

    bool writeTo (juce::OutputStream& stream) override
    {
        juce::MemoryBlock payload (4);
        payload.fillWith (value);
        return LeafChunk::write (stream, chunkId, payload);
    }
    bool readFrom (juce::InputStream& stream) override
    {
        ChunkReader header;
        if (! header.readFrom (stream, chunkId))
            throw Exception ("Error_FileUnsupportedChunk");
        value = (uint8_t) stream.readByte();
        ++reads;
        stream.setPosition (header.chunkEnd());
        return true;
    }
    int getChunkSize() const override { return 36; }
    juce::String getChunkId() const override { return chunkId; }
    void resetToDefaults() override { value = 0; }

    juce::String chunkId;
    uint8_t value;
    int reads = 0;
};

class TestSet : public DataSet
{
public:
    explicit TestSet (int leaves)
    {
        if (leaves > 0) addChild (std::make_unique<TinyLeaf> ("3872TstA", 0xA1));
        if (leaves > 1) addChild (std::make_unique<TinyLeaf> ("3872TstB", 0xB1));
        if (leaves > 2) addChild (std::make_unique<SampleData>());
    }
    juce::String getChunkId() const override { return "3872TstS"; }
    TinyLeaf& leaf (int i) { return static_cast<TinyLeaf&> (getChild (i)); }
};

ByteBuilder setHeader (int payload, int count, int childSize, int headerSize = 32)
{
    ByteBuilder b;
    b.text ("3872TstS").le16 (headerSize).le32 (payload).le16 (0).le16 (3).le16 (0)
     .le32 (count).le32 (childSize).fill (0xFF, 4);
    return b;
}

ByteBuilder& leafChunk (ByteBuilder& b, const std::string& id, int fill)
{
    return b.text (id).le16 (32).le32 (4).le16 (0).le16 (3).le16 (0).le32 (1).le32 (4).fill (0xFF, 4).fill (fill, 4);
}

void read (Data& data, const Bytes& bytes)
{
    juce::MemoryInputStream in (bytes.data(), bytes.size(), false);
    data.readFrom (in);
}
}

TEST (ChunkHeader, PeekComparesEightBytesAndRestoresThePosition)
{
    const Bytes bytes { 'x', '3', '8', '7', '2', 'S', 'm', 'p', 'D' };
    juce::MemoryInputStream in (bytes.data(), bytes.size(), false);
    in.setPosition (1);
    EXPECT_TRUE (Chunk::peekId (in, "3872SmpD"));
    EXPECT_EQ (in.getPosition(), 1);
    EXPECT_FALSE (Chunk::peekId (in, "3872SmpS"));
    EXPECT_FALSE (Chunk::peekId (in, "3872Smp"));     // an id of another length never matches
    EXPECT_FALSE (Chunk::peekId (in, "3872SmpDx"));

    in.setPosition (2);
    EXPECT_FALSE (Chunk::peekId (in, "872SmpD "));   // only 7 bytes left
    EXPECT_EQ (in.getPosition(), 2);
}

TEST (ChunkHeader, AnIdIsWrittenAsEightBytesPaddedWithSpaces)
{
    const auto idBytes = [] (const char* id)
    {
        juce::MemoryOutputStream out;
        EXPECT_TRUE (ChunkWriter::forLeaf (id, 0).writeTo (out));
        return Bytes (static_cast<const uint8_t*> (out.getData()), static_cast<const uint8_t*> (out.getData()) + 8);
    };

    EXPECT_EQ (idBytes ("abc"), (Bytes { 'a', 'b', 'c', ' ', ' ', ' ', ' ', ' ' }));
    EXPECT_EQ (idBytes ("3872SmpDx"), (Bytes { '3', '8', '7', '2', 'S', 'm', 'p', 'D' }));
}

TEST (DataSet, WritesItsChildrenWithTheirCommonSize)
{
    TestSet set (2);
    juce::MemoryOutputStream out;
    ASSERT_TRUE (set.writeTo (out));

    ByteBuilder expected = setHeader (72, 2, 36);
    leafChunk (expected, "3872TstA", 0xA1);
    leafChunk (expected, "3872TstB", 0xB1);
    EXPECT_EQ (bytesOf (out), expected.bytes);
    EXPECT_EQ (set.getChunkSize(), 104);
}

TEST (DataSet, ChildrenOfDifferentSizesWriteChildSizeZero)
{
    TestSet set (3);
    juce::MemoryOutputStream out;
    ASSERT_TRUE (set.writeTo (out));
    const auto bytes = bytesOf (out);
    EXPECT_EQ (bytes[24], 0);
    EXPECT_EQ (bytes[20], 3);
    EXPECT_EQ ((int) bytes.size(), 32 + 36 + 36 + 128);
}

TEST (DataSet, EmptySetWritesABareHeader)
{
    TestSet set (0);
    juce::MemoryOutputStream out;
    ASSERT_TRUE (set.writeTo (out));
    EXPECT_EQ (bytesOf (out), setHeader (0, 0, 0).bytes);
}

TEST (DataSet, ReadsChildrenInAnyOrder)
{
    ByteBuilder b = setHeader (72, 2, 36);
    leafChunk (b, "3872TstB", 0xB2);
    leafChunk (b, "3872TstA", 0xA2);

    TestSet set (2);
    read (set, b.bytes);
    EXPECT_EQ (set.leaf (0).value, 0xA2);
    EXPECT_EQ (set.leaf (1).value, 0xB2);
}

TEST (DataSet, SurplusChildCountsReadEachChildOnce)
{
    ByteBuilder b = setHeader (108, 1000000, 36);
    leafChunk (b, "3872TstA", 0xA2);
    leafChunk (b, "3872TstA", 0xA3);    // a second chunk for the same child stays unread
    leafChunk (b, "3872TstB", 0xB2);
    b.text ("trailing");

    TestSet set (2);
    juce::MemoryInputStream in (b.bytes.data(), b.bytes.size(), false);
    set.readFrom (in);
    EXPECT_EQ (set.leaf (0).value, 0xA2);
    EXPECT_EQ (set.leaf (0).reads, 1);
    EXPECT_EQ (set.leaf (1).value, 0xB1);   // blocked behind the unread chunk
    EXPECT_EQ (in.getPosition(), 32 + 108);
}

TEST (DataSet, UnknownChunkBlocksTheChunksAfterIt)
{
    ByteBuilder b = setHeader (72, 2, 36);
    leafChunk (b, "3872Xxxx", 0x11);
    leafChunk (b, "3872TstA", 0xA2);

    TestSet set (2);
    read (set, b.bytes);
    EXPECT_EQ (set.leaf (0).value, 0xA1);
}

TEST (DataSet, HeaderSizeMovesThePayloadStartButNotTheChunkEnd)
{
    // A 40-byte header: 8 extra bytes before the first child, and the chunk
    // still ends 32 + payload bytes after its start.
    ByteBuilder b = setHeader (44, 1, 0, 40);
    b.fill (0xEE, 8);
    leafChunk (b, "3872TstA", 0xA5);
    b.text ("NEXT");

    TestSet set (2);
    juce::MemoryInputStream in (b.bytes.data(), b.bytes.size(), false);
    set.readFrom (in);
    EXPECT_EQ (set.leaf (0).value, 0xA5);
    EXPECT_EQ (in.getPosition(), 32 + 44);
}

TEST (DataSet, WrongOwnIdIsAnUnsupportedChunk)
{
    SampleData sample;
    juce::MemoryOutputStream out;
    sample.writeTo (out);

    TestSet set (2);
    try
    {
        read (set, bytesOf (out));
        FAIL() << "no exception";
    }
    catch (const Exception& e)
    {
        EXPECT_EQ (e.getMessageKey(), "Error_FileUnsupportedChunk");
    }
}

TEST (DataSet, ChildrenWithoutAChunkKeepTheirContents)
{
    ByteBuilder b = setHeader (36, 1, 36);
    leafChunk (b, "3872TstB", 0xB7);

    TestSet set (2);
    set.leaf (0).value = 0x42;
    read (set, b.bytes);
    EXPECT_EQ (set.leaf (0).value, 0x42);
    EXPECT_EQ (set.leaf (1).value, 0xB7);
}

TEST (DataSet, WriteFailsWhenTheStreamRefuses)
{
    struct RefusingStream : juce::OutputStream
    {
        void flush() override {}
        bool setPosition (juce::int64) override { return false; }
        juce::int64 getPosition() override { return 0; }
        bool write (const void*, size_t) override { return false; }
    } refusing;

    TestSet set (2);
    EXPECT_FALSE (set.writeTo (refusing));

    SampleData sample;
    EXPECT_THROW (sample.writeTo (refusing), Exception);
}

TEST (NameField, PadsWithSpacesAndTrimsOnReading)
{
    juce::String name;
    NameField::assign (name, "ab");
    EXPECT_EQ (name, "AB");

    uint8_t field[8];
    NameField::write (name, field);
    EXPECT_EQ (Bytes (field, field + 8), (Bytes { 'A', 'B', ' ', ' ', ' ', ' ', ' ', ' ' }));

    const uint8_t stored[8] = { 'X', 'Y', ' ', ' ', ' ', ' ', ' ', ' ' };
    EXPECT_EQ (NameField::read (stored), "XY");

    const uint8_t withZero[8] = { 'A', ' ', 0, 'Z', 'Z', 'Z', 'Z', 'Z' };
    EXPECT_EQ (NameField::read (withZero), "A");

    NameField::assign (name, juce::String::charToString (0xe9));
    EXPECT_EQ (name, "AB");
}

TEST (NameField, BytesAboveCode127ReadAsThoseCodesAndWriteBackAsTheSameBytes)
{
    const uint8_t stored[8] = { 0xc9, 'A', 0xff, ' ', 0, 0, 0, 0 };
    const auto name = NameField::read (stored);
    EXPECT_EQ (name.length(), 3);
    EXPECT_EQ (name[0], (juce::juce_wchar) 0xc9);
    EXPECT_EQ (name[2], (juce::juce_wchar) 0xff);

    uint8_t field[8];
    NameField::write (name, field);
    EXPECT_EQ (Bytes (field, field + 8), (Bytes { 0xc9, 'A', 0xff, ' ', ' ', ' ', ' ', ' ' }));
}

TEST (DataSet, AChunkClaimingMoreBytesThanTheStreamHoldsIsDamaged)
{
    auto readFails = [] (const Bytes& bytes)
    {
        TestSet set (2);
        try
        {
            read (set, bytes);
        }
        catch (const Exception& e)
        {
            return e.getMessageKey() == "Error_FileFailedToReadDataSetHeader"
                && set.leaf (0).reads == 0 && set.leaf (1).reads == 0;
        }
        return false;
    };

    // The set says 72 bytes follow, but only its first child is there.
    auto cut = setHeader (72, 2, 36);
    leafChunk (cut, "3872TstA", 0x11);
    EXPECT_TRUE (readFails (cut.bytes));

    // The second child's payload is cut in half.
    auto halfLeaf = setHeader (72, 2, 36);
    leafChunk (halfLeaf, "3872TstA", 0x11);
    leafChunk (halfLeaf, "3872TstB", 0x22);
    halfLeaf.bytes.resize (halfLeaf.bytes.size() - 2);
    EXPECT_TRUE (readFails (halfLeaf.bytes));

    EXPECT_TRUE (readFails (setHeader (-4, 0, 0).bytes));
    EXPECT_TRUE (readFails (Bytes (cut.bytes.begin(), cut.bytes.begin() + 20)));

    // Sizes that agree read as always.
    auto whole = setHeader (72, 2, 36);
    leafChunk (whole, "3872TstA", 0x11);
    leafChunk (whole, "3872TstB", 0x22);
    TestSet set (2);
    read (set, whole.bytes);
    EXPECT_EQ (set.leaf (0).value, 0x11);
    EXPECT_EQ (set.leaf (1).value, 0x22);
}

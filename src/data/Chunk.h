#pragma once

#include <juce_core/juce_core.h>

// Every chunk starts with a 32-byte little-endian header:
//   0  8  chunk id (8 ASCII characters, no terminator)
//   8  2  header size (32)
//  10  4  payload size (bytes after the header)
//  14  2  format field 1 (0)
//  16  2  format field 2: format version (3)
//  18  2  format field 3 (0)
//  20  4  child count (1 for a leaf)
//  24  4  child size (common size of the children, else 0)
//  28  4  padding, 0xFF each
namespace Chunk
{
    constexpr int headerSize = 32;
    constexpr int idLength = 8;
    constexpr int currentFormatVersion = 3;

    // Reads 8 bytes, puts the stream back, and answers whether they equal
    // the expected id (fewer than 8 bytes: not equal).
    bool peekId (juce::InputStream& stream, const juce::String& expectedId);

    // False when the stream is known to end before a whole header.
    bool holdsWholeHeader (juce::InputStream& stream);
}

struct ChunkReader;

namespace Chunk
{
    // False when the chunk's payload size is negative or the chunk would end
    // past the end of a stream of known length.
    bool endsWithinStream (const ChunkReader& header, juce::InputStream& stream);
}

struct ChunkWriter
{
    juce::String chunkId;
    int payloadSize = 0;
    int formatField1 = 0;
    int formatVersion = Chunk::currentFormatVersion;
    int formatField3 = 0;
    int childCount = 1;
    int childSize = 0;

    // The header of a leaf: one child, whose size is the payload's unless
    // the leaf says otherwise.
    static ChunkWriter forLeaf (const juce::String& id, int payloadSize, int childSize);
    static ChunkWriter forLeaf (const juce::String& id, int payloadSize) { return forLeaf (id, payloadSize, payloadSize); }

    // Writes the 32 header bytes; false when the stream refused them.
    bool writeTo (juce::OutputStream& stream) const;
};

struct ChunkReader
{
    juce::String chunkId;
    int headerSize = Chunk::headerSize;   // the value read is used only to find the payload
    int payloadSize = 0;
    int formatField1 = 0;
    int formatVersion = 0;
    int formatField3 = 0;
    int childCount = 0;
    int childSize = 0;
    juce::int64 chunkStart = 0;

    // Reads the header of a chunk with the expected id at the stream's
    // position and leaves the stream at the payload. On an id mismatch it
    // returns false without consuming anything.
    bool readFrom (juce::InputStream& stream, const juce::String& expectedId);

    // Where the chunk ends: always 32 bytes of header plus the payload.
    juce::int64 chunkEnd() const { return chunkStart + Chunk::headerSize + payloadSize; }
};

#include "data/Chunk.h"

#include "data/ByteFields.h"

namespace Chunk
{
bool peekId (juce::InputStream& stream, const juce::String& expectedId)
{
    const auto start = stream.getPosition();
    char bytes[idLength] = {};
    const int got = stream.read (bytes, idLength);
    stream.setPosition (start);

    if (got != idLength)
        return false;

    // One pass over the id's characters: it must have exactly these.
    auto expected = expectedId.getCharPointer();

    for (int i = 0; i < idLength; ++i, ++expected)
        if (expected.isEmpty() || (juce::juce_wchar) (uint8_t) bytes[i] != *expected)
            return false;

    return expected.isEmpty();
}

bool holdsWholeHeader (juce::InputStream& stream)
{
    const auto remaining = stream.getNumBytesRemaining();
    return remaining < 0 || remaining >= headerSize;
}
}

namespace Chunk
{
bool endsWithinStream (const ChunkReader& header, juce::InputStream& stream)
{
    const auto length = stream.getTotalLength();
    return header.payloadSize >= 0 && (length < 0 || header.chunkEnd() <= length);
}
}

ChunkWriter ChunkWriter::forLeaf (const juce::String& id, int payloadSize, int childSize)
{
    ChunkWriter header;
    header.chunkId = id;
    header.payloadSize = payloadSize;
    header.childCount = 1;
    header.childSize = childSize;
    return header;
}

bool ChunkWriter::writeTo (juce::OutputStream& stream) const
{
    uint8_t header[Chunk::headerSize];

    auto id = chunkId.getCharPointer();

    for (int i = 0; i < Chunk::idLength; ++i)
        header[i] = (uint8_t) (id.isEmpty() ? ' ' : id.getAndAdvance());

    ByteFields::putLittleEndian16 (header + 8, Chunk::headerSize);
    ByteFields::putLittleEndian32 (header + 10, payloadSize);
    ByteFields::putLittleEndian16 (header + 14, formatField1);
    ByteFields::putLittleEndian16 (header + 16, formatVersion);
    ByteFields::putLittleEndian16 (header + 18, formatField3);
    ByteFields::putLittleEndian32 (header + 20, childCount);
    ByteFields::putLittleEndian32 (header + 24, childSize);

    for (int i = 28; i < 32; ++i)
        header[i] = 0xFF;

    return stream.write (header, sizeof (header));
}

bool ChunkReader::readFrom (juce::InputStream& stream, const juce::String& expectedId)
{
    if (! Chunk::peekId (stream, expectedId))
        return false;

    chunkId = expectedId;
    chunkStart = stream.getPosition();

    uint8_t header[Chunk::headerSize] = {};
    stream.read (header, sizeof (header));

    headerSize = ByteFields::getLittleEndian16 (header + 8);
    payloadSize = ByteFields::getLittleEndian32 (header + 10);
    formatField1 = ByteFields::getLittleEndian16 (header + 14);
    formatVersion = ByteFields::getLittleEndian16 (header + 16);
    formatField3 = ByteFields::getLittleEndian16 (header + 18);
    childCount = ByteFields::getLittleEndian32 (header + 20);
    childSize = ByteFields::getLittleEndian32 (header + 24);

    stream.setPosition (chunkStart + headerSize);
    return true;
}

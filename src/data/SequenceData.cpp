#include "data/SequenceData.h"

#include "app/Exception.h"
#include "data/ByteFields.h"
#include "data/Chunk.h"
#include "data/NameField.h"
#include "data/SequenceBlockLayout.h"

#include <algorithm>
#include <cstring>

namespace
{
using namespace SequenceBlockLayout;


constexpr int numMeasures = 100;
constexpr int initialLength = 4;
constexpr int ticksPerMeasure = 384;
constexpr int unsetByte = 0xFF;

int paddingAfterBlock (int size)
{
    return 16 - size % 16;
}

void writeOrThrow (juce::OutputStream& stream, const void* data, size_t size)
{
    if (! stream.write (data, size))
        throw Exception ("Error_FileFailedToWriteSequenceData");
}

// Reads and drops count bytes; false when the stream ends first.
bool skipExactly (juce::InputStream& stream, int count)
{
    char scratch[256];

    while (count > 0)
    {
        const int wanted = std::min (count, (int) sizeof (scratch));
        if (stream.read (scratch, wanted) != wanted)
            return false;
        count -= wanted;
    }
    return true;
}

// Patterns shorter than the fixed header are allowed but unusual enough to
// mention on the debug output.
void noteSize (int size)
{
    if (size < SequenceData::initialPatternSize)
        juce::Logger::outputDebugString ("too small pattern size...");
}

juce::MemoryBlock buildInitialPattern()
{
    juce::MemoryBlock pattern ((size_t) SequenceData::initialPatternSize);
    auto* p = static_cast<uint8_t*> (pattern.getData());
    std::memset (p, unsetByte, (size_t) SequenceData::initialPatternSize);

    std::memcpy (p, "SEQP", 4);
    ByteFields::putBigEndian32 (p + sizeOffset, SequenceData::initialPatternSize);
    ByteFields::putBigEndian16 (p + lengthOffset, initialLength);
    ByteFields::putBigEndian16 (p + recordedLengthOffset, initialLength);
    ByteFields::putBigEndian32 (p + eventCountOffset, initialLength * 2);

    // Every measure but the last is a marker with a count of 2 and one
    // measure-long time event; measure 99 is a lone marker.
    for (int m = 0; m < numMeasures; ++m)
    {
        const int markerOffset = eventsOffset + 8 * m;
        ByteFields::putBigEndian32 (p + measureTableOffset + 4 * m, markerOffset);

        auto* event = p + markerOffset;
        event[0] = 0xFF;
        event[1] = (uint8_t) m;

        if (m == numMeasures - 1)
        {
            ByteFields::putBigEndian16 (event + 2, 1);
            break;
        }

        ByteFields::putBigEndian16 (event + 2, 2);
        event[4] = 0xF0;
        event[5] = 0x00;
        ByteFields::putBigEndian16 (event + 6, ticksPerMeasure);
    }

    p[keyboardSampleOffset] = 0;
    NameField::write (SequenceData::defaultName, p + nameOffset);
    return pattern;
}
}

SequenceData::SequenceData()
    : block (createInitialPattern())
{
}

SequenceData::SequenceData (const SequenceData& other)
    : Data(), block (other.block)
{
}

// Every new bank makes sixteen of these, so the pattern is built once.
juce::MemoryBlock SequenceData::createInitialPattern()
{
    static const juce::MemoryBlock pattern = buildInitialPattern();
    return pattern;
}

bool SequenceData::setSize (int newSize)
{
    if (newSize < 0 || newSize > maximumSize)
        return false;

    noteSize (newSize);
    block.setSize ((size_t) newSize, true);
    return true;
}

bool SequenceData::setBlock (const void* data, size_t size)
{
    if (size > (size_t) maximumSize)
        return false;

    noteSize ((int) size);
    block.replaceAll (data, size);
    return true;
}

juce::String SequenceData::getName() const
{
    if (! holdsHeader() || getBytes()[nameOffset] == unsetByte)
        return defaultName;

    return NameField::read (getBytes() + nameOffset);
}

void SequenceData::setName (const juce::String& newName)
{
    if (! holdsHeader() || ! NameField::isAcceptable (newName))
        return;

    juce::String name;
    NameField::assign (name, newName);
    NameField::write (name, getBytes() + nameOffset);
}

int SequenceData::getLengthParameter() const
{
    return holdsHeader() ? ByteFields::getBigEndianU16 (getBytes() + lengthOffset) : 0;
}

int SequenceData::getRecordedLength() const
{
    return holdsHeader() ? ByteFields::getBigEndianU16 (getBytes() + recordedLengthOffset) : 0;
}

int SequenceData::getKeyboardSample() const
{
    if (! holdsHeader() || getBytes()[keyboardSampleOffset] == unsetByte)
        return 0;

    return getBytes()[keyboardSampleOffset];
}

void SequenceData::setKeyboardSample (int sampleIndex)
{
    if (holdsHeader())
        getBytes()[keyboardSampleOffset] = (uint8_t) juce::jlimit (0, numSamples - 1, sampleIndex);
}

int SequenceData::memoryForSize (int size)
{
    return size <= 0 ? 0 : (size / memoryGranule + 1) * memoryGranule;
}

int SequenceData::getChunkSize() const
{
    const int n = getSize();
    return n == 0 ? Chunk::headerSize : Chunk::headerSize + n + paddingAfterBlock (n);
}

bool SequenceData::writeTo (juce::OutputStream& stream)
{
    const int n = getSize();

    // The child size is the block's own size, not the padded payload.
    const auto chunk = ChunkWriter::forLeaf (chunkId, getChunkSize() - Chunk::headerSize, n);

    if (! chunk.writeTo (stream))
        return false;

    if (n > 0)
    {
        uint8_t padding[16];
        std::memset (padding, 0xFF, sizeof (padding));
        writeOrThrow (stream, block.getData(), (size_t) n);
        writeOrThrow (stream, padding, (size_t) paddingAfterBlock (n));
    }
    return true;
}

bool SequenceData::readFrom (juce::InputStream& stream)
{
    if (! Chunk::peekId (stream, chunkId))
        throw Exception ("Error_FileFileIsNotSequenceDataFile");

    ChunkReader chunk;

    if (! Chunk::holdsWholeHeader (stream) || ! chunk.readFrom (stream, chunkId))
        throw Exception ("Error_FileFailedToReadSequenceHeader");

    juce::MemoryBlock newBlock;

    if (chunk.payloadSize >= 1)
    {
        // The block must lie inside the payload and fit a pattern: any other
        // size can only come from a damaged file.
        const int size = chunk.childSize;

        if (size < 0 || size > maximumSize || size > chunk.payloadSize)
            throw Exception ("Error_FileFailedToReadSequenceData");

        newBlock.setSize ((size_t) size);

        if (stream.read (newBlock.getData(), size) != size || ! skipExactly (stream, chunk.payloadSize - size))
            throw Exception ("Error_FileFailedToReadSequenceData");

        noteSize (size);
    }

    block = std::move (newBlock);
    stream.setPosition (chunk.chunkStart + Chunk::headerSize + std::max (0, chunk.payloadSize));
    return true;
}

void SequenceData::resetToDefaults()
{
    block = createInitialPattern();
}

SequenceSet::SequenceSet()
{
    for (int i = 0; i < numPatterns; ++i)
        addChild (std::make_unique<SequenceData>());
}

SequenceData* SequenceSet::getPattern (int index) const
{
    if (index < 0 || index >= numPatterns)
        return nullptr;

    return &static_cast<SequenceData&> (getChild (index));
}

int SequenceSet::getMemoryUsed() const
{
    int total = 0;

    for (int i = 0; i < numPatterns; ++i)
        total += getPattern (i)->getMemoryUsed();

    return total;
}

void SequenceSet::copyFrom (const SequenceSet& other)
{
    for (int i = 0; i < numPatterns; ++i)
        getPattern (i)->copyFrom (*other.getPattern (i));
}

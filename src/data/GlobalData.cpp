#include "data/GlobalData.h"

#include "app/Exception.h"
#include "data/Chunk.h"

#include <algorithm>
#include <cstring>

namespace
{
// Where each field lives: ((image[byte] >> shift) & mask). Every field is
// unsigned and stored without a bias.
struct FieldLayout
{
    int byte, shift, mask, maximum;
};

constexpr FieldLayout fieldLayouts[GlobalData::numFields] = {
    { 0, 5, 7, 4 },     // Metronome
    { 0, 4, 1, 1 },     // Memory protect
    { 0, 2, 3, 2 },     // LCD Backlight mode
    { 0, 1, 1, 1 },     // Audio In Mode
    { 0, 0, 1, 1 },     // Pattern Change
    { 1, 0, 15, 15 },   // Global MIDI Channel
    { 2, 0, 15, 15 },   // Keyboard MIDI Channel
    { 3, 4, 3, 1 },     // Local control
    { 3, 2, 3, 2 },     // MIDI Routing
    { 3, 0, 3, 3 },     // MIDI Clock
    { 4, 0, 3, 2 },     // Audio In Level
    { 5, 3, 7, 4 },     // Start Trim
    { 5, 0, 7, 4 },     // End Trim
};

bool isField (int index)
{
    return index >= 0 && index < GlobalData::numFields;
}
}

const GlobalData::Image GlobalData::defaultImage { 0x46, 0x00, 0x01, 0x11, 0x00, 0x1A };

GlobalData::GlobalData()
    : image (defaultImage)
{
}

int GlobalData::getField (int index, const uint8_t* image)
{
    index = std::max (0, index);

    if (! isField (index))
        return 0;

    const auto& field = fieldLayouts[index];
    return (image[field.byte] >> field.shift) & field.mask;
}

void GlobalData::setField (int index, uint8_t* image, int value)
{
    if (! isField (index))
        return;

    const auto& field = fieldLayouts[index];
    const int kept = image[field.byte] & ~(field.mask << field.shift);
    image[field.byte] = (uint8_t) (((value & field.mask) << field.shift) | kept);
}

int GlobalData::getFieldMaximum (int index)
{
    return isField (index) ? fieldLayouts[index].maximum : 0;
}

void GlobalData::setImage (const void* data, size_t size)
{
    image = defaultImage;
    std::memcpy (image.data(), data, std::min (size, (size_t) imageSize));
}

int GlobalData::getChunkSize() const
{
    return Chunk::headerSize + imageSize;
}

bool GlobalData::writeTo (juce::OutputStream& stream)
{
    if (! ChunkWriter::forLeaf (chunkId, imageSize).writeTo (stream))
        return false;

    if (! stream.write (image.data(), image.size()))
        throw Exception ("Error_FileFailedToWriteGlobalData");

    return true;
}

bool GlobalData::readFrom (juce::InputStream& stream)
{
    if (! Chunk::peekId (stream, chunkId))
        throw Exception ("Error_FileIsNotGlobalDataFile");

    ChunkReader chunk;

    if (! Chunk::holdsWholeHeader (stream) || ! chunk.readFrom (stream, chunkId))
        throw Exception ("Error_FileFailedToReadGlobalHeader");

    // The image must be complete and inside the chunk, or the settings stay.
    Image newImage;

    if (chunk.payloadSize < imageSize || stream.read (newImage.data(), imageSize) != imageSize)
        throw Exception ("Error_FileFailedToReadGlobalData");

    image = newImage;
    stream.setPosition (chunk.chunkEnd());
    return true;
}

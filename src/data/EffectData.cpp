#include "data/EffectData.h"

#include "app/Exception.h"
#include "data/Chunk.h"

#include <algorithm>

EffectData::EffectData()
{
    resetToDefaults();
}

void EffectData::resetToDefaults()
{
    // Reverb's own defaults; all of its slots are unipolar, so the stored
    // bytes are the values themselves.
    static constexpr uint8_t reverbSlots[] = { 10, 1, 19, 39, 10, 20, 0, 63 };

    image.fill (0);
    image[typeByte] = 6;
    image[firstKnobByte] = 2;
    image[firstKnobByte + 1] = 0;

    for (size_t i = 0; i < sizeof (reverbSlots); ++i)
        image[firstSlotByte + i] = reverbSlots[i];
}

int EffectData::getChunkSize() const
{
    return Chunk::headerSize + payloadSize;
}

bool EffectData::writeTo (juce::OutputStream& stream)
{
    if (! ChunkWriter::forLeaf (chunkId, payloadSize).writeTo (stream))
        throw Exception ("Error_FileFailedToWriteEffectHeader");

    std::array<uint8_t, payloadSize> payload;
    payload.fill (0xFF);
    std::copy (image.begin(), image.end(), payload.begin());

    if (! stream.write (payload.data(), payload.size()))
        throw Exception ("Error_FileFailedToWriteEffectData");

    return true;
}

bool EffectData::readFrom (juce::InputStream& stream)
{
    ChunkReader header;

    if (! header.readFrom (stream, chunkId))
        throw Exception ("Error_FileFailedToReadEffectHeader");

    // A payload shorter than the image would make us read the next chunk's
    // bytes as effect settings.
    Image bytes;

    if (header.payloadSize < imageSize || stream.read (bytes.data(), imageSize) != imageSize)
        throw Exception ("Error_FileFailedToReadEffectData");

    image = bytes;
    stream.setPosition (header.chunkEnd());
    return true;
}

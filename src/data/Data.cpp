#include "data/Data.h"

#include "app/Exception.h"
#include "data/Chunk.h"

bool DataSet::writeTo (juce::OutputStream& stream)
{
    int payloadSize = 0;
    int commonSize = 0;

    for (size_t i = 0; i < children.size(); ++i)
    {
        const int size = children[i]->getChunkSize();
        payloadSize += size;
        commonSize = (i == 0 || size == commonSize) ? size : -1;
    }

    ChunkWriter header;
    header.chunkId = getChunkId();
    header.payloadSize = payloadSize;
    header.childCount = (int) children.size();
    header.childSize = commonSize < 0 ? 0 : commonSize;

    if (! header.writeTo (stream))
        return false;

    for (auto& child : children)
        if (! child->writeTo (stream))
            return false;

    return true;
}

int DataSet::getChunkSize() const
{
    int size = Chunk::headerSize;

    for (auto& child : children)
        size += child->getChunkSize();

    return size;
}

bool DataSet::readFrom (juce::InputStream& stream)
{
    if (! Chunk::peekId (stream, getChunkId()))
        throw Exception ("Error_FileUnsupportedChunk");

    ChunkReader header;

    if (! Chunk::holdsWholeHeader (stream) || ! header.readFrom (stream, getChunkId()))
        throw Exception ("Error_FileFailedToReadDataSetHeader");

    // A set that claims more bytes than the stream holds is damaged (a file
    // cut short), not a set with fewer children: reading on would fill the
    // missing children with their defaults.
    if (! Chunk::endsWithinStream (header, stream))
        throw Exception ("Error_FileFailedToReadDataSetHeader");

    // Each pass reads the next chunk into the first child of that kind that
    // has not read yet. A pass that finds no such child reads nothing, and
    // since the stream then stays where it is, neither would any later pass.
    std::vector<bool> hasRead (children.size(), false);

    for (int pass = 0; pass < header.childCount; ++pass)
    {
        bool readOne = false;

        for (size_t i = 0; i < children.size() && ! readOne; ++i)
        {
            if (hasRead[i] || ! Chunk::peekId (stream, children[i]->getChunkId()))
                continue;

            children[i]->readFrom (stream);
            hasRead[i] = true;
            readOne = true;
        }

        if (! readOne)
            break;
    }

    stream.setPosition (header.chunkEnd());
    return true;
}

void DataSet::resetToDefaults()
{
    for (auto& child : children)
        child->resetToDefaults();
}

bool DataSet::isValid() const
{
    for (auto& child : children)
        if (! child->isValid())
            return false;

    return true;
}

void DataSet::clearChildren()
{
    while (! children.empty())
        children.erase (children.begin());
}

namespace LeafChunk
{
bool write (juce::OutputStream& stream, const juce::String& chunkId, const juce::MemoryBlock& payload)
{
    return ChunkWriter::forLeaf (chunkId, (int) payload.getSize()).writeTo (stream) && stream.write (payload.getData(), payload.getSize());
}
}

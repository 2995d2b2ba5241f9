#include "data/BankData.h"

#include "app/Exception.h"
#include "data/ByteFields.h"
#include "data/Chunk.h"
#include "data/NameField.h"

#include <cstring>

namespace
{
constexpr int tempoOffset = 8;
constexpr int switchOffset = 11;
constexpr int audioInThruFxBit = 0x80;
}

bool BankParameter::writeTo (juce::OutputStream& stream)
{
    juce::MemoryBlock block ((size_t) BankData::parameterBlockSize);
    bank.buildParameterBlock (static_cast<uint8_t*> (block.getData()));
    return LeafChunk::write (stream, chunkId, block);
}

bool BankParameter::readFrom (juce::InputStream& stream)
{
    ChunkReader header;

    if (! header.readFrom (stream, chunkId))
        throw Exception ("Error_FileFailedToReadDataSetHeader");

    // A short block would mix the next chunk's bytes into the parameters.
    uint8_t block[BankData::parameterBlockSize];

    if (header.payloadSize < BankData::parameterBlockSize
        || stream.read (block, sizeof (block)) != (int) sizeof (block))
        throw Exception ("Error_FileFailedToReadDataSetHeader");

    bank.parseParameterBlock (block);
    stream.setPosition (header.chunkEnd());
    return true;
}

int BankParameter::getChunkSize() const
{
    return Chunk::headerSize + BankData::parameterBlockSize;
}

void BankParameter::resetToDefaults()
{
    bank.resetParameters();
}

BankData::BankData()
{
    addChild (std::make_unique<BankParameter> (*this));
    addChild (std::make_unique<SampleSet>());
    addChild (std::make_unique<SequenceSet>());
    addChild (std::make_unique<EffectData>());
}

BankData::BankData (const BankData& other)
    : BankData()
{
    copyFrom (other);
}

void BankData::setName (const juce::String& newName)
{
    NameField::assign (name, newName);
}

void BankData::setTempo (int tenthsOfBpm)
{
    tempo = juce::jlimit (minimumTempo, maximumTempo, tenthsOfBpm);
}

void BankData::resetParameters()
{
    name = defaultName;
    tempo = defaultTempo;
    audioInThruFx = true;
}

void BankData::buildParameterBlock (uint8_t* block) const
{
    std::memset (block, 0xFF, parameterBlockSize);
    NameField::write (name, block);
    ByteFields::putLittleEndian16 (block + tempoOffset, tempo);
    block[switchOffset] = audioInThruFx ? audioInThruFxBit : 0x00;
}

void BankData::parseParameterBlock (const uint8_t* block)
{
    setName (NameField::read (block));
    setTempo (ByteFields::getLittleEndian16 (block + tempoOffset));
    audioInThruFx = (block[switchOffset] & audioInThruFxBit) != 0;
}

juce::int64 BankData::getFreeSampleMemory() const
{
    return BankMemory::sampleMemorySize - getSampleSet().getMemoryUsed();
}

juce::int64 BankData::getFreePatternMemory() const
{
    return BankMemory::patternMemorySize - getSequenceSet().getMemoryUsed();
}

bool BankData::fitsInMemory() const
{
    return getFreeSampleMemory() >= 0 && getFreePatternMemory() >= 0;
}

void BankData::copyFrom (const BankData& other)
{
    name = other.name;
    tempo = other.tempo;
    audioInThruFx = other.audioInThruFx;
    getSampleSet().copyFrom (other.getSampleSet());
    getEffect().setImage (other.getEffect().getImage());
    getSequenceSet().copyFrom (other.getSequenceSet());
}

#include "data/SampleData.h"

#include "app/Exception.h"
#include "data/ByteFields.h"
#include "data/Chunk.h"
#include "data/NameField.h"

#include <cmath>
#include <cstring>

namespace
{
struct Range { int minimum, maximum, initial; };

// Ranges and defaults of the parameters; start and end depend on the length.
constexpr Range parameterRanges[SampleData::numParameters] = {
    { 0, 127, 64 },      // Pan
    { 0, 127, 101 },     // Level
    { -63, 63, 0 },      // VeloInt
    { -24, 24, 0 },      // Semitone
    { 0, 127, 64 },      // Tune
    { 0, 127, 127 },     // Decay
    { 0, 127, 20 },      // Release
    { 200, 3000, 1200 }, // original BPM, in tenths
    { 0, 0, 0 },         // start
    { 0, 0, 0 },         // end
    { 0, 2, 0 },         // BPM sync: off, time stretch, pitch shift
    { 0, 1, 1 },         // Loop
    { 0, 1, 0 },         // Reverse
    { 0, 1, 0 },         // Fx SW
};

// Level values of format versions 0 and 1, mapped to today's Level.
constexpr uint8_t oldLevelTable[128] = {
    0, 1, 2, 9, 14, 18, 22, 24, 27, 29, 31, 32, 34, 35, 36, 38, 39, 40, 41, 42, 43, 44, 44, 45, 46,
    47, 47, 48, 49, 49, 50, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 59, 60, 61, 62, 63, 63, 64, 65,
    66, 66, 67, 68, 68, 69, 70, 70, 71, 71, 72, 73, 73, 74, 74, 75, 75, 76, 76, 77, 78, 78, 79, 79,
    79, 80, 80, 81, 81, 82, 82, 83, 83, 84, 84, 84, 85, 85, 86, 86, 86, 87, 87, 88, 88, 88, 89, 89,
    89, 90, 90, 90, 91, 91, 91, 92, 92, 92, 93, 93, 93, 94, 94, 94, 95, 95, 95, 96, 96, 96, 96, 97,
    97, 97, 98, 98, 98, 98, 101 };

constexpr int sampleRates[4] = { 48000, 24000, 12000, 6000 };

constexpr int sourceNameOffset = 32;
constexpr int sourceNameBytes = 32;
constexpr int maxSourceNameLength = 15;   // longer names keep 13 characters and ".."
// PCM passes through files in blocks of this size, small enough to be
// reused from the heap rather than mapped afresh for every sample.
constexpr int pcmBlockBytes = 64 * 1024;
constexpr int chunkFixedBytes = SampleData::parameterBlockSize + SampleData::headerSize + 8;

int paddingAfterPcm (juce::int64 pcmBytes)
{
    return 16 - (int) (pcmBytes % 16);
}

void writeOrThrow (juce::OutputStream& stream, const void* data, size_t size, const char* key)
{
    if (! stream.write (data, size))
        throw Exception (key);
}

// The source name field is UTF-8 up to its first zero byte. Bytes that are
// not UTF-8 (a name in an 8-bit code page, or a damaged field) are taken as
// one character each, so that the name is always text we can write back.
juce::String readSourceName (const uint8_t* field)
{
    const auto* text = reinterpret_cast<const char*> (field);
    const int length = (int) strnlen (text, sourceNameBytes);

    juce::String name;

    if (juce::CharPointer_UTF8::isValidString (text, length))
    {
        // Decoded character by character, so that overlong forms are
        // written back in their short form.
        char terminated[sourceNameBytes + 1] = {};
        std::memcpy (terminated, text, (size_t) length);

        for (juce::CharPointer_UTF8 p (terminated); ! p.isEmpty();)
            name += juce::String::charToString (p.getAndAdvance());
    }
    else
    {
        for (int i = 0; i < length; ++i)
            name += juce::String::charToString ((juce::juce_wchar) field[i]);
    }

    return name;
}
}

SampleData::SampleData()
{
    resetParameters();
}

SampleData::SampleData (const SampleData& other)
    : AudioBuffer (other), Data(),
      name (other.name), sourceFileName (other.sourceFileName),
      parameters (other.parameters), headerFlag (other.headerFlag)
{
}

int SampleData::getParameterMinimum (int index) const
{
    return parameterRanges[index].minimum;
}

int SampleData::getParameterMaximum (int index) const
{
    if (index == start || index == end)
        return std::max (0, getNumFrames() - 2);

    return parameterRanges[index].maximum;
}

int SampleData::getParameterDefault (int index)
{
    return parameterRanges[index].initial;
}

void SampleData::setParameter (int index, int value)
{
    parameters[(size_t) index] = juce::jlimit (getParameterMinimum (index), getParameterMaximum (index), value);
}

void SampleData::resetParameters()
{
    for (int i = 0; i < numParameters; ++i)
        parameters[(size_t) i] = parameterRanges[i].initial;
}

void SampleData::setName (const juce::String& newName)
{
    NameField::assign (name, newName);
}

void SampleData::setSourceFileName (const juce::String& newName)
{
    sourceFileName = newName.length() > maxSourceNameLength ? newName.substring (0, 13) + ".."
                                                            : newName;
}

void SampleData::buildParameterBlock (uint8_t* block) const
{
    std::memset (block, 0xFF, parameterBlockSize);
    NameField::write (name, block);

    block[8] = (uint8_t) ((parameters[loop] << 7) | (parameters[bpmSync] << 5)
                          | (parameters[reverse] << 4) | (parameters[fxSw] << 3));
    ByteFields::putLittleEndian32 (block + 12, parameters[start]);
    ByteFields::putLittleEndian32 (block + 16, parameters[end]);
    block[20] = (uint8_t) parameters[decay];
    block[21] = (uint8_t) parameters[release];
    block[23] = (uint8_t) parameters[level];
    block[24] = (uint8_t) parameters[pan];
    block[25] = (uint8_t) (parameters[semitone] + 64);
    block[26] = (uint8_t) parameters[tune];
    block[27] = (uint8_t) (parameters[veloInt] + 64);

    // The source name must fit in 32 bytes with its terminating zero.
    auto source = sourceFileName;
    while (source.isNotEmpty() && source.getNumBytesAsUTF8() + 1 > (size_t) sourceNameBytes)
        source = source.dropLastCharacters (2);

    std::memset (block + sourceNameOffset, 0, sourceNameBytes);
    std::memcpy (block + sourceNameOffset, source.toRawUTF8(), source.getNumBytesAsUTF8());
}

void SampleData::parseParameterBlock (const uint8_t* block)
{
    setName (NameField::read (block));

    const int flags = block[8];
    setParameter (loop, (flags >> 7) & 1);
    setParameter (bpmSync, (flags >> 5) & 3);
    setParameter (reverse, (flags >> 4) & 1);
    setParameter (fxSw, (flags >> 3) & 1);
    setParameter (start, ByteFields::getLittleEndian32 (block + 12));
    setParameter (end, ByteFields::getLittleEndian32 (block + 16));
    setParameter (decay, block[20]);
    setParameter (release, block[21]);
    setParameter (level, block[23]);
    setParameter (pan, block[24]);
    setParameter (semitone, block[25] - 64);
    setParameter (tune, block[26]);
    setParameter (veloInt, block[27] == 0xFF ? 0 : block[27] - 64);

    if (block[sourceNameOffset] == 0xFF)
    {
        sourceFileName.clear();
    }
    else
    {
        setSourceFileName (readSourceName (block + sourceNameOffset));
    }
}

int SampleData::rateCodeForSampleRate (double rate)
{
    for (int code = 0; code < 4; ++code)
        if (rate == sampleRates[code])
            return code;

    return 0;
}

void SampleData::buildHeader (uint8_t* header) const
{
    ByteFields::putLittleEndian32 (header, getPcmByteCount());
    ByteFields::putLittleEndian16 (header + 4, parameters[originalBpm]);
    header[6] = (uint8_t) ((getNumChannels() == 2 ? 1 : 0)
                           | (rateCodeForSampleRate (sampleRate) << 2)
                           | (headerFlag ? 0 : 0x20));
    header[7] = 0xFF;
}

int SampleData::getPcmByteCount() const
{
    return getNumChannels() * getNumFrames() * 2;
}

int32_t SampleData::pcmByteCountOfHeader (const uint8_t* header)
{
    return ByteFields::getLittleEndian32 (header);
}

double SampleData::sampleRateOfHeader (const uint8_t* header)
{
    const int code = (header[6] >> 2) & 7;
    return code >= 1 && code <= 3 ? sampleRates[code] : sampleRates[0];
}

int SampleData::channelsOfHeader (const uint8_t* header)
{
    return (header[6] & 1) + 1;
}

// Scaling by a power of two is exact in float and the conversion to an
// integer truncates towards zero; clamping to integer bounds before the
// truncation gives what clamping after it would. NaN fails both comparisons
// and leaves as 0. Written as selects so that blocks of audio convert in
// vector registers.
int16_t SampleData::encodeSampleValue (float x)
{
    float scaled = x * 32768.0f;
    scaled = scaled > -32768.0f ? scaled : -32768.0f;
    scaled = scaled < 32767.0f ? scaled : 32767.0f;
    const auto value = (int32_t) scaled;
    return (int16_t) (x == x ? value : 0);
}

float SampleData::decodeSampleValue (int16_t v)
{
    return (float) v * (1.0f / 32768.0f);
}

namespace
{
// One channel's frames in the interleaved big-endian PCM of a sample with
// one or two channels (all that the header can describe). The frame stride
// is known at compile time and each value moves as one 16-bit word, which
// lets the compiler convert whole vectors of frames.
template <int channels>
void encodeChannel (const float* in, uint8_t* out, int frames)
{
    for (int f = 0; f < frames; ++f)
    {
        const auto word = juce::ByteOrder::swapIfLittleEndian ((uint16_t) SampleData::encodeSampleValue (in[f]));
        std::memcpy (out + f * channels * 2, &word, 2);
    }
}

template <int channels>
void decodeChannel (const uint8_t* in, float* out, int frames)
{
    for (int f = 0; f < frames; ++f)
    {
        uint16_t word;
        std::memcpy (&word, in + f * channels * 2, 2);
        out[f] = SampleData::decodeSampleValue ((int16_t) juce::ByteOrder::swapIfLittleEndian (word));
    }
}
}

int SampleData::encodePcm (uint8_t* dest, int capacity, int firstFrame) const
{
    const int channels = getNumChannels();
    const int frameBytes = channels * 2;
    const int frames = juce::jlimit (0, std::max (0, getNumFrames() - firstFrame), capacity / std::max (1, frameBytes));

    for (int c = 0; c < channels; ++c)
    {
        const float* in = audio.getReadPointer (c, firstFrame);
        auto* out = dest + c * 2;
        channels == 1 ? encodeChannel<1> (in, out, frames) : encodeChannel<2> (in, out, frames);
    }

    return frames * frameBytes;
}

void SampleData::decodeHeaderAndPcm (const uint8_t* header, const uint8_t* pcm, juce::int64 pcmBytesAvailable,
                                     bool reclampParameters)
{
    decodePcm (pcm, 0, takeHeader (header, pcmBytesAvailable));

    if (reclampParameters)
        for (int i = 0; i < numParameters; ++i)
            setParameter (i, parameters[(size_t) i]);
}

int SampleData::takeHeader (const uint8_t* header, juce::int64 pcmBytesAvailable)
{
    setParameter (originalBpm, ByteFields::getLittleEndianU16 (header + 4));
    headerFlag = (header[6] & 0x20) == 0;

    // No bank of the device holds more audio than its sample memory: a
    // larger count with fewer bytes at hand comes from a damaged header and
    // must not size the audio.
    const juce::int64 claimedBytes = std::max (0, pcmByteCountOfHeader (header));
    const juce::int64 trustedBytes = std::min (claimedBytes, std::max<juce::int64> (pcmBytesAvailable, deviceSampleMemory));

    const int channels = channelsOfHeader (header);
    const int frames = (int) (trustedBytes / channels / 2);
    resize (channels, frames, sampleRateOfHeader (header), false);

    return (int) std::min<juce::int64> (frames, std::max<juce::int64> (0, pcmBytesAvailable) / (channels * 2));
}

void SampleData::decodePcm (const uint8_t* pcm, int firstFrame, int frames)
{
    const int channels = getNumChannels();

    for (int c = 0; c < channels; ++c)
    {
        const auto* in = pcm + c * 2;
        auto* out = audio.getWritePointer (c, firstFrame);
        channels == 1 ? decodeChannel<1> (in, out, frames) : decodeChannel<2> (in, out, frames);
    }
}

void SampleData::copyParametersFrom (const SampleData& other)
{
    setName (other.name);
    setSourceFileName (other.sourceFileName);

    for (int i = 0; i < numParameters; ++i)
        setParameter (i, other.parameters[(size_t) i]);

    headerFlag = other.headerFlag;
}

void SampleData::copyFrom (const SampleData& other)
{
    copyAudioFrom (other);
    copyParametersFrom (other);
}

void SampleData::takeFrom (SampleData&& other)
{
    takeAudioFrom (std::move (other));
    copyParametersFrom (other);
}

juce::int64 SampleData::getMemorySize() const
{
    const auto bytes = (juce::int64) getPcmByteCount();
    return (bytes + memoryGranule - 1) / memoryGranule * memoryGranule;
}

int SampleData::getChunkSize() const
{
    const int n = getPcmByteCount();
    return Chunk::headerSize + chunkFixedBytes + n + paddingAfterPcm (n);
}

void SampleData::writePcm (juce::OutputStream& stream) const
{
    const int frameBytes = getNumChannels() * 2;
    const int framesPerBlock = pcmBlockBytes / frameBytes;
    juce::HeapBlock<uint8_t> block ((size_t) pcmBlockBytes);

    for (int frame = 0; frame < getNumFrames(); frame += framesPerBlock)
    {
        const int bytes = encodePcm (block.get(), framesPerBlock * frameBytes, frame);
        writeOrThrow (stream, block.get(), (size_t) bytes, "Error_FileFailedToWriteSampleData");
    }
}

void SampleData::readPcm (juce::InputStream& stream, int frames)
{
    const int frameBytes = getNumChannels() * 2;
    const int framesPerBlock = pcmBlockBytes / frameBytes;
    juce::HeapBlock<uint8_t> block ((size_t) pcmBlockBytes);

    for (int frame = 0; frame < frames; frame += framesPerBlock)
    {
        const int count = std::min (framesPerBlock, frames - frame);

        if (stream.read (block.get(), count * frameBytes) != count * frameBytes)
            throw Exception ("Error_FileFailedToReadSampleData");

        decodePcm (block.get(), frame, count);
    }
}

bool SampleData::writeTo (juce::OutputStream& stream)
{
    const int payloadSize = getChunkSize() - Chunk::headerSize;

    if (! ChunkWriter::forLeaf (chunkId, payloadSize).writeTo (stream))
        throw Exception ("Error_FileFailedToWriteSampleHeader");

    uint8_t block[parameterBlockSize];
    buildParameterBlock (block);
    writeOrThrow (stream, block, sizeof (block), "Error_FileFailedToWriteSampleParameter");

    uint8_t header[headerSize + 8];
    buildHeader (header);
    std::memset (header + headerSize, 0xFF, 8);
    writeOrThrow (stream, header, sizeof (header), "Error_FileFailedToWriteSampleParameter");

    writePcm (stream);

    uint8_t padding[16];
    std::memset (padding, 0xFF, sizeof (padding));
    writeOrThrow (stream, padding, (size_t) paddingAfterPcm (getPcmByteCount()), "Error_FileFailedToWriteSampleData");
    return true;
}

void SampleData::upgradeParameterBlock (uint8_t* block, int formatVersion)
{
    if (formatVersion <= 0)
    {
        block[25] = 64;
        block[26] = 64;
    }
    if (formatVersion <= 1)
        block[23] = oldLevelTable[std::min<int> (block[23], 127)];
    if (formatVersion <= 2)
        block[27] = 64;
}

bool SampleData::readFrom (juce::InputStream& stream)
{
    ChunkReader chunk;

    if (! chunk.readFrom (stream, chunkId))
        throw Exception ("Error_FileFailedToReadSampleHeader");

    uint8_t block[parameterBlockSize];
    uint8_t header[headerSize];

    if (stream.read (block, parameterBlockSize) != parameterBlockSize
        || stream.read (header, headerSize) != headerSize)
        throw Exception ("Error_FileFailedToReadSampleParameter");

    stream.skipNextBytes (8);

    // The PCM must lie inside the chunk and the stream: a count that points
    // past either can only come from a damaged file.
    const juce::int64 pcmBytes = std::max (0, pcmByteCountOfHeader (header));

    if (pcmBytes > (juce::int64) chunk.payloadSize - chunkFixedBytes || pcmBytes > stream.getNumBytesRemaining())
        throw Exception ("Error_FileFailedToReadSampleData");

    upgradeParameterBlock (block, chunk.formatVersion);
    readPcm (stream, takeHeader (header, pcmBytes));
    parseParameterBlock (block);

    stream.setPosition (chunk.chunkEnd());
    return true;
}

void SampleData::resetToDefaults()
{
    resize (2, 0, 48000.0, false);
    name = defaultName;
    sourceFileName.clear();
    resetParameters();
    headerFlag = true;
}

SampleSet::SampleSet()
{
    for (int i = 0; i < numSamples; ++i)
        addChild (std::make_unique<SampleData>());
}

SampleData& SampleSet::getSample (int index) const
{
    return static_cast<SampleData&> (getChild (index));
}

void SampleSet::setCurrentSampleIndex (int index)
{
    currentIndex = juce::jlimit (0, numSamples - 1, index);
}

juce::int64 SampleSet::getMemoryUsed() const
{
    juce::int64 total = 0;

    for (int i = 0; i < numSamples; ++i)
        total += getSample (i).getMemorySize();

    return total;
}

void SampleSet::copyFrom (const SampleSet& other)
{
    for (int i = 0; i < numSamples; ++i)
        getSample (i).copyFrom (other.getSample (i));

    currentIndex = other.currentIndex;
}

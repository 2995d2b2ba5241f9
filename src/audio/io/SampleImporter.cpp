#include "audio/io/SampleImporter.h"

#include "data/SampleData.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace
{
constexpr float intToFloatScale = 1.0f / 2147483648.0f;   // 2^-31

bool isDecodableDepth (unsigned int bitsPerSample)
{
    return bitsPerSample == 8 || bitsPerSample == 16 || bitsPerSample == 24 || bitsPerSample == 32;
}

// The most frames the reader's stream can hold, header included; unbounded
// when the stream does not know its length.
juce::int64 framesTheStreamCanHold (const juce::AudioFormatReader& reader)
{
    const auto length = reader.input != nullptr ? reader.input->getTotalLength() : -1;
    const auto bytesPerFrame = (juce::int64) reader.numChannels * reader.bitsPerSample / 8;

    if (length < 0 || bytesPerFrame <= 0)
        return std::numeric_limits<juce::int64>::max();

    return length / bytesPerFrame;
}
}

//==============================================================================
AudioFormatReaderInput::AudioFormatReaderInput (std::unique_ptr<juce::AudioFormatReader> formatReader, int frames,
                                                std::function<void (int64_t)> readCallback)
    : reader (std::move (formatReader)), fileFrames (frames), onRead (std::move (readCallback))
{
    // A short file needs no block of the full size, which would be cleared
    // in vain.
    const auto framesPerBlock = (size_t) juce::jmin (blockFrames, fileFrames);
    block.assign (reader->numChannels, std::vector<int> (framesPerBlock));

    for (auto& channel : block)
        blockPointers.push_back (channel.data());
    blockPointers.push_back (nullptr);
}

void AudioFormatReaderInput::setPosition (int64_t frame)
{
    position = std::clamp<int64_t> (frame, 0, getLengthInFrames());
}

int AudioFormatReaderInput::read (float* const* destinations, int frames, int destinationOffset)
{
    const int count = (int) std::min<int64_t> (std::max (frames, 0), getRemainingFrames());

    for (int done = 0; done < count;)
    {
        const int fromFile = (int) std::min<int64_t> ({ (int64_t) (count - done), fileFrames - position,
                                                        (int64_t) blockFrames });

        if (fromFile > 0)
        {
            decode (destinations, destinationOffset + done, fromFile);
            done += fromFile;
            position += fromFile;
        }
        else   // the guard frame
        {
            for (int c = 0; c < getNumChannels(); ++c)
                destinations[c][destinationOffset + done] = 0.0f;
            ++done;
            ++position;
        }
    }

    if (count > 0 && onRead)
        onRead (position);
    return count;
}

void AudioFormatReaderInput::decode (float* const* destinations, int destinationOffset, int frames)
{
    reader->read (blockPointers.data(), (int) block.size(), position, frames, false);

    for (size_t c = 0; c < block.size(); ++c)
    {
        const int* source = block[c].data();
        float* dest = destinations[c] + destinationOffset;

        if (reader->usesFloatingPointData)
            std::memcpy (dest, source, (size_t) frames * sizeof (float));
        else
            for (int i = 0; i < frames; ++i)
                dest[i] = (float) source[i] * intToFloatScale;
    }
}

//==============================================================================
std::unique_ptr<AudioFormatReaderInput> JuceSampleImporter::open (juce::AudioFormat& format,
                                                                  std::unique_ptr<juce::InputStream>& stream,
                                                                  int frameLimit)
{
    std::unique_ptr<juce::AudioFormatReader> reader (format.createReaderFor (stream.get(), false));
    setProgress (0);
    tooManyChannels = false;
    {
        const juce::ScopedLock lock (cancelLock);
        cancelFlag = false;
    }

    if (reader == nullptr)
        return nullptr;

    stream.release();   // the reader owns it now

    // Buffers are sized by the channel count, which the header may put at
    // up to 65535.
    if (reader->numChannels > (unsigned int) maxChannels)
    {
        tooManyChannels = true;
        return nullptr;
    }

    // The readers decode these depths only; with any other they leave the
    // audio unread, and with frames of 0 or thousands of bytes they divide by
    // zero or never get to the end.
    if (! isDecodableDepth (reader->bitsPerSample))
        return nullptr;

    // One frame is kept free for the guard frame, so the count fits an int.
    // A cut file, or a damaged length, may claim more frames than the file
    // holds; the reader would hand out silence for the rest, up to the
    // frame limit.
    juce::int64 total = juce::jmin (reader->lengthInSamples, framesTheStreamCanHold (*reader),
                                    (juce::int64) std::numeric_limits<int>::max() - 1);
    if (frameLimit > 0 && total >= frameLimit)
        total = frameLimit;
    const int frames = (int) juce::jmax ((juce::int64) 0, total);

    return std::make_unique<AudioFormatReaderInput> (std::move (reader), frames, [this, frames] (int64_t framesRead)
    {
        setProgress (frames > 0 ? (int) (juce::jmin ((int64_t) frames, framesRead) * 100 / frames) : 100);
    });
}

void JuceSampleImporter::readAll (AudioFormatReaderInput& source, SampleData& target)
{
    const auto frames = (int) source.getLengthInFrames();
    target.resize (source.getNumChannels(), frames, source.getFileSampleRate(), false);

    auto* const* channels = target.getAudio().getArrayOfWritePointers();
    int done = 0;

    while (done < frames && ! isCancelled())
    {
        const int got = source.read (channels, juce::jmin (AudioFormatReaderInput::blockFrames, frames - done), done);
        if (got <= 0)
            break;
        done += got;
    }

    target.takeNewBufferId();
}

void JuceSampleImporter::cancel()
{
    const juce::ScopedLock lock (cancelLock);
    cancelFlag = true;
}

bool JuceSampleImporter::isCancelled() const
{
    const juce::ScopedLock lock (cancelLock);
    return cancelFlag;
}

void JuceSampleImporter::setProgress (int percent)
{
    if (percent == progressPercent.exchange (percent))
        return;

    if (onProgress)
        onProgress (percent);
    sendChangeMessage();
}

//==============================================================================
FormatSampleImporter::FormatSampleImporter (std::unique_ptr<juce::AudioFormat> f, std::unique_ptr<juce::InputStream> s)
    : format (std::move (f)), stream (std::move (s))
{
    engine.addChangeListener (this);
}

FormatSampleImporter::~FormatSampleImporter()
{
    engine.removeChangeListener (this);
}

bool FormatSampleImporter::importSample (SampleData& target, int frameLimit)
{
    auto source = openSource (frameLimit);
    return source != nullptr && readSource (*source, target);
}

std::unique_ptr<AudioFormatReaderInput> FormatSampleImporter::openSource (int frameLimit)
{
    if (stream == nullptr)
        return nullptr;

    return engine.open (*format, stream, frameLimit);
}

bool FormatSampleImporter::readSource (AudioFormatReaderInput& source, SampleData& target)
{
    engine.readAll (source, target);
    return ! cancelRequested;
}

void FormatSampleImporter::cancel()
{
    cancelRequested = true;
    engine.cancel();
}

//==============================================================================
namespace
{
// A WAV or AIFF file as the framework's readers get to see it: only the
// chunks the import needs, the format and the audio, keep their ids. The
// others (markers, loops, tags, comments and other metadata, which the
// import never uses) are renamed, so the readers skip them as unknown
// chunks. Their parsers allocate whatever size a chunk header claims, up to
// 4 GB for a file of a hundred bytes, and some read past a chunk cut short.
class MetadataHidingStream : public juce::InputStream
{
public:
    enum class Format { wave, aiff };

    MetadataHidingStream (std::unique_ptr<juce::InputStream> sourceStream, Format format)
        : source (std::move (sourceStream))
    {
        findHiddenChunks (format);
        source->setPosition (0);
    }

    juce::int64 getTotalLength() override { return source->getTotalLength(); }
    bool isExhausted() override { return source->isExhausted(); }
    juce::int64 getPosition() override { return source->getPosition(); }
    bool setPosition (juce::int64 position) override { return source->setPosition (position); }

    int read (void* dest, int count) override
    {
        const auto start = source->getPosition();
        const int got = source->read (dest, count);

        // The positions ascend: only the ids that overlap what was read.
        auto id = std::lower_bound (hiddenChunkIds.begin(), hiddenChunkIds.end(), start - chunkIdSize + 1);

        for (; id != hiddenChunkIds.end() && *id < start + got; ++id)
            for (juce::int64 i = juce::jmax (*id, start); i < juce::jmin (*id + chunkIdSize, start + got); ++i)
                static_cast<char*> (dest)[i - start] = hiddenId[i - *id];

        return got;
    }

private:
    static constexpr int chunkIdSize = 4;
    static constexpr juce::int64 fileHeaderSize = 12;   // "RIFF"/"FORM", size, "WAVE"/"AIFF"
    static constexpr const char* hiddenId = "xxxx";
    static constexpr juce::int64 rf64DataSizePosition = 28;   // in the "ds64" chunk
    static constexpr juce::uint32 sizeGivenElsewhere = 0xffffffff;

    static bool isNeeded (const char* id, Format format)
    {
        const auto is = [id] (const char* name) { return std::memcmp (id, name, chunkIdSize) == 0; };

        if (format == Format::aiff)
            return is ("COMM") || is ("SSND");

        return is ("fmt ") || is ("data") || is ("ds64");
    }

    // In an RF64 file the audio chunk's size lies in the "ds64" chunk.
    juce::int64 rf64DataSize()
    {
        char id[chunkIdSize] = {};

        if (! source->setPosition (0) || source->read (id, chunkIdSize) != chunkIdSize
            || std::memcmp (id, "RF64", chunkIdSize) != 0 || ! source->setPosition (rf64DataSizePosition))
            return -1;

        return source->readInt64();
    }

    // The WAV reader stops at an unknown chunk of no bytes, so those are left
    // alone there; an empty metadata chunk allocates and reads nothing in
    // it. The AIFF reader goes on past empty chunks, but its tag parser
    // reads past an empty "cate" chunk.
    static bool isHidden (const char* id, juce::int64 size, Format format)
    {
        return ! isNeeded (id, format) && (size > 0 || format == Format::aiff);
    }

    // The WAV reader divides the bytes per second by the sample rate, which
    // it reads as a signed number: a rate of -1 with the lowest number of
    // bytes overflows and stops the program. It reads the fields whatever
    // size the chunk claims. Without its format chunk the file is refused.
    bool hasNegativeSampleRate (const char* id, juce::int64 position)
    {
        return std::memcmp (id, "fmt ", chunkIdSize) == 0 && source->setPosition (position + 12)
            && source->readInt() < 0;
    }

    // Walks the chunk headers after the file header.
    void findHiddenChunks (Format format)
    {
        const auto total = source->getTotalLength();
        const auto audioSizeOfRf64 = format == Format::wave ? rf64DataSize() : -1;

        for (juce::int64 position = fileHeaderSize; position + 8 <= total;)
        {
            char id[chunkIdSize] = {};

            if (! source->setPosition (position) || source->read (id, chunkIdSize) != chunkIdSize)
                return;

            const auto sizeField = (juce::uint32) (format == Format::aiff ? source->readIntBigEndian() : source->readInt());
            auto size = (juce::int64) sizeField;

            if (sizeField == sizeGivenElsewhere && audioSizeOfRf64 >= 0 && std::memcmp (id, "data", chunkIdSize) == 0)
                size = audioSizeOfRf64;

            if (isHidden (id, size, format) || (format == Format::wave && hasNegativeSampleRate (id, position)))
                hiddenChunkIds.push_back (position);

            position += 8 + size + (size & 1);
        }
    }

    std::unique_ptr<juce::InputStream> source;
    std::vector<juce::int64> hiddenChunkIds;
};

std::unique_ptr<juce::InputStream> hideMetadata (std::unique_ptr<juce::InputStream> stream,
                                                 MetadataHidingStream::Format format)
{
    if (stream == nullptr)
        return nullptr;

    return std::make_unique<MetadataHidingStream> (std::move (stream), format);
}
}

WaveSampleImporter::WaveSampleImporter (std::unique_ptr<juce::InputStream> s)
    : FormatSampleImporter (std::make_unique<juce::WavAudioFormat>(),
                            hideMetadata (std::move (s), MetadataHidingStream::Format::wave))
{
}

AiffSampleImporter::AiffSampleImporter (std::unique_ptr<juce::InputStream> s)
    : FormatSampleImporter (std::make_unique<juce::AiffAudioFormat>(),
                            hideMetadata (std::move (s), MetadataHidingStream::Format::aiff))
{
}

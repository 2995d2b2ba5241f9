#include "audio/playback/PreviewPlayer.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"

namespace
{
constexpr int ringReserve = 2048;
constexpr int lowRingLevel = 100;
constexpr int maxChannels = 2;
}

PreviewPlayer::PreviewPlayer() = default;

PreviewPlayer::~PreviewPlayer()
{
    const juce::ScopedLock scopedLock (lock);
    releaseFile();
    readAheadThread.stopThread (2000);
}

void PreviewPlayer::prepare (double rate, int blockSize)
{
    const juce::ScopedLock scopedLock (lock);
    preparedRate = rate;
    preparedBlockSize = blockSize;

    if (reader != nullptr)
        buildStreaming();
}

bool PreviewPlayer::loadFile (const juce::File& file)
{
    const juce::ScopedLock scopedLock (lock);

    if (preparedRate <= 0.0)
        return false;

    playing = false;
    releaseFile();

    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    reader.reset (formats.createReaderFor (file));

    if (reader == nullptr)
        return false;

    readerSource = std::make_unique<juce::AudioFormatReaderSource> (reader.get(), false);
    buildStreaming();
    return true;
}

void PreviewPlayer::buildStreaming()
{
    const int fileRate = (int) reader->sampleRate;
    const int channels = juce::jmin (maxChannels, (int) reader->numChannels);

    if (! readAheadThread.isThreadRunning())
        readAheadThread.startThread();

    bufferingSource = std::make_unique<juce::BufferingAudioSource> (readerSource.get(), readAheadThread, false,
                                                                    (int) preparedRate * 10, channels);
    bufferingSource->prepareToPlay (preparedBlockSize, preparedRate);
    readPosition = 0;

    converter = std::make_unique<CRealTimeFsConverterPcmOutput> (channels);
    converter->setRates (fileRate, (int) preparedRate);
    converter->reset();
    ring = std::make_unique<PcmRingBuffer> (preparedBlockSize + ringReserve, channels);

    // Room for the largest block render asks for, with the top-up.
    const int maxFileFrames = (int) ((juce::int64) (preparedBlockSize + ringReserve) * fileRate / (int) preparedRate) + 16;
    fileBlock.setSize (channels, maxFileFrames);
    convertedBlock.setSize (channels, converter->getMaxOutputFrames (maxFileFrames) + 16);
    ringBlock.setSize (channels, preparedBlockSize + ringReserve);
}

void PreviewPlayer::releaseFile()
{
    ring.reset();
    converter.reset();
    bufferingSource.reset();
    readerSource.reset();
    reader.reset();
}

void PreviewPlayer::play()
{
    {
        const juce::ScopedLock scopedLock (lock);
        if (reader == nullptr)
            return;
        ring->clear();
        playing = true;
    }
    MessageEngine::broadcast (MessageIds::previewStarted);
}

void PreviewPlayer::stop()
{
    playing = false;
    MessageEngine::broadcast (MessageIds::previewStopped);
}

void PreviewPlayer::render (float* const* outputs, int channels, int frames)
{
    for (int c = 0; c < channels; ++c)
        juce::FloatVectorOperations::clear (outputs[c], frames);

    const juce::ScopedTryLock scopedLock (lock);
    if (! scopedLock.isLocked() || ! playing || reader == nullptr || frames >= ring->getCapacity())
        return;

    fillRing (frames);

    if (ring->getLevel() >= frames)
    {
        ring->read (ringBlock.getArrayOfWritePointers(), frames);
        const bool mono = ring->getNumChannels() == 1;
        for (int c = 0; c < channels && (mono || c < ring->getNumChannels()); ++c)
            juce::FloatVectorOperations::copy (outputs[c], ringBlock.getReadPointer (mono ? 0 : c), frames);
    }

    if (readPosition >= bufferingSource->getTotalLength())
        finish();
}

void PreviewPlayer::fillRing (int frames)
{
    if (ring->getLevel() >= frames)
        return;

    const int fileRate = (int) reader->sampleRate;
    const int rate = (int) preparedRate;
    int count = (int) ((juce::int64) frames * fileRate / rate);
    if (ring->getLevel() < lowRingLevel)
        count += (int) ((juce::int64) fileRate * lowRingLevel / rate);
    count = juce::jmin (count, fileBlock.getNumSamples());

    bufferingSource->setNextReadPosition (readPosition);
    juce::AudioSourceChannelInfo info (&fileBlock, 0, count);
    bufferingSource->getNextAudioBlock (info);

    const int converted = converter->process (fileBlock.getArrayOfWritePointers(),
                                              convertedBlock.getArrayOfWritePointers(), count);
    ring->write (convertedBlock.getArrayOfReadPointers(), juce::jmin (converted, ring->getCapacity() - 1));
    readPosition += count;
}

void PreviewPlayer::finish()
{
    ring->clear();
    readPosition = 0;
    playing = false;
    MessageEngine::broadcast (MessageIds::previewStopped);
}

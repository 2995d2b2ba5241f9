#pragma once

#include "audio/pipeline/AudioPlayerInput.h"

#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_events/juce_events.h>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class SampleData;

// An opened audio file as a source of audio: at most a given number of its
// frames, decoded to float block by block as they are asked for, and then the
// silent guard frame a sample ends with. The conversion pipeline reads it
// directly, so a file converted on import is never held in memory at its own
// rate. Reports the frames read so far after every read.
class AudioFormatReaderInput : public CAudioPlayerInput
{
public:
    // The most frames decoded at once.
    static constexpr int blockFrames = 48000;

    AudioFormatReaderInput (std::unique_ptr<juce::AudioFormatReader> reader, int fileFrames,
                            std::function<void (int64_t framesRead)> onRead);

    bool isValid() const override { return true; }
    int getSampleRate() const override { return (int) reader->sampleRate; }
    double getFileSampleRate() const { return reader->sampleRate; }
    int getBytesPerSample() const override { return 4; }
    int16_t getNumChannels() const override { return (int16_t) reader->numChannels; }
    int64_t getLengthInFrames() const override { return (int64_t) fileFrames + 1; }
    int64_t getPosition() const override { return position; }
    void setPosition (int64_t frame) override;
    int read (float* const* destinations, int frames, int destinationOffset) override;

private:
    void decode (float* const* destinations, int destinationOffset, int frames);

    std::unique_ptr<juce::AudioFormatReader> reader;
    const int fileFrames;
    std::function<void (int64_t)> onRead;
    int64_t position = 0;
    std::vector<std::vector<int>> block;
    std::vector<int*> blockPointers;
};

// The reading engine shared by the importers: opens a file through a format
// reader and reads it in blocks into a sample with the silent guard frame,
// keeps a progress percent and honours a cancel flag set from another thread.
class JuceSampleImporter : public juce::ChangeBroadcaster
{
public:
    // A sample holds one or two channels. A file with more is refused before
    // any audio is read, however many its header claims.
    static constexpr int maxChannels = 2;

    // Called on the reading thread with each new percent, besides the change
    // broadcast (which reaches listeners later on the message thread).
    std::function<void (int percent)> onProgress;

    // Opens the file as a source of at most frameLimit frames (0: no
    // limit) whose reading moves the progress. Null for content the format
    // does not read, more than maxChannels channels, or a sample depth other
    // than 8, 16, 24 or 32 bits. The format takes the stream only when it
    // returns a reader; the caller keeps it otherwise.
    std::unique_ptr<AudioFormatReaderInput> open (juce::AudioFormat& format, std::unique_ptr<juce::InputStream>& stream,
                                                  int frameLimit);

    // Reads a whole source into the target (resized to it) until it ends or
    // the read is cancelled.
    void readAll (AudioFormatReaderInput& source, SampleData& target);

    // Whether the last read was refused for more than maxChannels channels.
    bool refusedChannelCount() const { return tooManyChannels; }

    int getProgressPercent() const { return progressPercent; }
    void cancel();

private:
    bool isCancelled() const;
    void setProgress (int percent);

    std::atomic<int> progressPercent { 0 };
    bool tooManyChannels = false;
    bool cancelFlag = false;
    juce::CriticalSection cancelLock;
};

// Imports one audio file into a sample. An importer imports once: after a
// successful read the stream belongs to the reader and is gone.
class SampleImporter : public juce::ChangeBroadcaster
{
public:
    ~SampleImporter() override = default;

    // Reads the file into the target, at most frameLimit frames (0: all).
    // False for unreadable content, more than two channels (which
    // hasTooManyChannels then tells) or a cancelled read.
    virtual bool importSample (SampleData& target, int frameLimit) = 0;

    // The file as a source of at most frameLimit frames (0: all) and the
    // guard frame, for a conversion that reads it as it goes; null where
    // importSample would fail on the content. readSource reads such a source
    // into a sample instead; false when that was cancelled.
    virtual std::unique_ptr<AudioFormatReaderInput> openSource (int frameLimit) = 0;
    virtual bool readSource (AudioFormatReaderInput& source, SampleData& target) = 0;
    virtual bool hasTooManyChannels() const = 0;
    virtual bool isCancelRequested() const = 0;
    virtual int getProgressPercent() const = 0;
    virtual void cancel() = 0;

    // Reports each new percent on the reading thread.
    virtual void setProgressCallback (std::function<void (int)> callback) = 0;
};

// An importer that reads through one of the framework's audio formats.
class FormatSampleImporter : public SampleImporter,
                             private juce::ChangeListener
{
public:
    FormatSampleImporter (std::unique_ptr<juce::AudioFormat> format, std::unique_ptr<juce::InputStream> stream);
    ~FormatSampleImporter() override;

    bool importSample (SampleData& target, int frameLimit) override;
    std::unique_ptr<AudioFormatReaderInput> openSource (int frameLimit) override;
    bool readSource (AudioFormatReaderInput& source, SampleData& target) override;
    bool hasTooManyChannels() const override { return engine.refusedChannelCount(); }
    bool isCancelRequested() const override { return cancelRequested; }
    int getProgressPercent() const override { return engine.getProgressPercent(); }
    void cancel() override;
    void setProgressCallback (std::function<void (int)> callback) override { engine.onProgress = std::move (callback); }

private:
    void changeListenerCallback (juce::ChangeBroadcaster*) override { sendChangeMessage(); }

    std::unique_ptr<juce::AudioFormat> format;
    std::unique_ptr<juce::InputStream> stream;
    JuceSampleImporter engine;
    std::atomic<bool> cancelRequested { false };
};

class WaveSampleImporter : public FormatSampleImporter
{
public:
    explicit WaveSampleImporter (std::unique_ptr<juce::InputStream> stream);
};

class AiffSampleImporter : public FormatSampleImporter
{
public:
    explicit AiffSampleImporter (std::unique_ptr<juce::InputStream> stream);
};

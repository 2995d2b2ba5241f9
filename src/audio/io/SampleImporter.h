#pragma once

#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_events/juce_events.h>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class SampleData;

// The reading engine shared by the importers: reads a whole file through a
// format reader in blocks into a sample, adds the silent guard frame, keeps a
// progress percent and honours a cancel flag set from another thread.
class JuceSampleImporter : public juce::ChangeBroadcaster
{
public:
    static constexpr int blockFrames = 48000;

    // A sample holds one or two channels. A file with more is refused before
    // any audio is read, however many its header claims.
    static constexpr int maxChannels = 2;

    // Called on the reading thread with each new percent, besides the change
    // broadcast (which reaches listeners later on the message thread).
    std::function<void (int percent)> onProgress;

    // Reads at most frameLimit frames (0: no limit); files of a sample depth
    // other than 8, 16, 24 or 32 bits are refused. The format takes the
    // stream only when it returns a reader; the caller keeps it otherwise.
    bool read (juce::AudioFormat& format, std::unique_ptr<juce::InputStream>& stream, SampleData& target,
               int frameLimit);

    // Whether the last read was refused for more than maxChannels channels.
    bool refusedChannelCount() const { return tooManyChannels; }

    int getProgressPercent() const { return progressPercent; }
    void cancel();

private:
    bool isCancelled() const;
    void setProgress (int percent);
    static void storeBlock (SampleData& target, const std::vector<std::vector<int>>& block, int firstFrame,
                            int frames, bool floatingPoint);

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

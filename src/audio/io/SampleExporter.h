#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

#include <atomic>
#include <memory>

class SampleData;

// The writing engine shared by the exporters: writes all real frames of a
// sample (the guard frame left out) as 16-bit audio in blocks.
class JuceSampleExporter
{
public:
    static constexpr int blockFrames = 8192;
    static constexpr int bitsPerSample = 16;

    // The format takes the stream only when it makes a writer.
    bool write (juce::AudioFormat& format, std::unique_ptr<juce::OutputStream>& stream, const SampleData& sample,
                int frameLimit);

    int getProgressPercent() const { return progressPercent; }

    // A float sample as the 32-bit value handed to the writer, which keeps
    // its upper 16 bits.
    static int toWriterValue (float x);

private:
    std::atomic<int> progressPercent { 0 };
};

// Writes a sample into an audio file stream, which the exporter owns.
class SampleExporter
{
public:
    virtual ~SampleExporter() = default;

    // Writes frames − 1 frames, or frameLimit when that is lower and not 0.
    virtual bool exportSample (const SampleData& sample, int frameLimit) = 0;
};

class FormatSampleExporter : public SampleExporter
{
public:
    FormatSampleExporter (std::unique_ptr<juce::AudioFormat> format, std::unique_ptr<juce::OutputStream> stream);

    bool exportSample (const SampleData& sample, int frameLimit) override;
    int getProgressPercent() const { return engine.getProgressPercent(); }

private:
    std::unique_ptr<juce::AudioFormat> format;
    std::unique_ptr<juce::OutputStream> stream;
    JuceSampleExporter engine;
};

class WaveSampleExporter : public FormatSampleExporter
{
public:
    explicit WaveSampleExporter (std::unique_ptr<juce::OutputStream> stream);
};

class AiffSampleExporter : public FormatSampleExporter
{
public:
    explicit AiffSampleExporter (std::unique_ptr<juce::OutputStream> stream);
};

#include "audio/io/SampleExporter.h"

#include "data/SampleData.h"

int JuceSampleExporter::toWriterValue (float x)
{
    const double scaled = juce::jlimit (-2147483647.0, 2147483647.0, (double) x * 2147483648.0);
    return (int) scaled;
}

bool JuceSampleExporter::write (juce::AudioFormat& format, std::unique_ptr<juce::OutputStream>& stream,
                                const SampleData& sample, int frameLimit)
{
    progressPercent = 0;

    int total = juce::jmax (0, sample.getNumFrames() - 1);
    if (frameLimit > 0 && frameLimit < total)
        total = frameLimit;

    const int channels = sample.getNumChannels();
    std::unique_ptr<juce::AudioFormatWriter> writer (format.createWriterFor (
        stream.get(), sample.getSampleRate(), (unsigned int) channels, bitsPerSample, {}, 0));

    if (writer == nullptr)
        return false;

    stream.release();   // the writer owns it now

    std::vector<std::vector<int>> block ((size_t) channels, std::vector<int> ((size_t) blockFrames));
    std::vector<const int*> blockPointers;
    for (auto& channel : block)
        blockPointers.push_back (channel.data());
    blockPointers.push_back (nullptr);

    for (int done = 0; done < total;)
    {
        const int count = juce::jmin (blockFrames, total - done);

        for (int c = 0; c < channels; ++c)
        {
            const float* source = sample.getAudio().getReadPointer (c, done);
            for (int i = 0; i < count; ++i)
                block[(size_t) c][(size_t) i] = toWriterValue (source[i]);
        }

        if (! writer->write (blockPointers.data(), count))
            return false;

        done += count;
        progressPercent = (int) ((juce::int64) done * 100 / total);
    }

    return true;
}

//==============================================================================
FormatSampleExporter::FormatSampleExporter (std::unique_ptr<juce::AudioFormat> f, std::unique_ptr<juce::OutputStream> s)
    : format (std::move (f)), stream (std::move (s))
{
}

bool FormatSampleExporter::exportSample (const SampleData& sample, int frameLimit)
{
    return stream != nullptr && engine.write (*format, stream, sample, frameLimit);
}

WaveSampleExporter::WaveSampleExporter (std::unique_ptr<juce::OutputStream> s)
    : FormatSampleExporter (std::make_unique<juce::WavAudioFormat>(), std::move (s))
{
}

AiffSampleExporter::AiffSampleExporter (std::unique_ptr<juce::OutputStream> s)
    : FormatSampleExporter (std::make_unique<juce::AiffAudioFormat>(), std::move (s))
{
}

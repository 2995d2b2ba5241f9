#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

#include <cmath>
#include <functional>

// Audio files made for the tests with the framework's own writers.
namespace AudioTestFiles
{
    // The value of frame f of channel c.
    using Signal = std::function<float (int channel, int frame)>;

    inline bool write (const juce::File& file, juce::AudioFormat&& format, double rate, int channels, int frames,
                       const Signal& signal, int bits = 16)
    {
        file.deleteFile();
        auto stream = std::make_unique<juce::FileOutputStream> (file);
        std::unique_ptr<juce::AudioFormatWriter> writer (
            format.createWriterFor (stream.get(), rate, (unsigned int) channels, bits, {}, 0));
        if (writer == nullptr)
            return false;
        stream.release();

        juce::AudioBuffer<float> buffer (channels, frames);
        for (int c = 0; c < channels; ++c)
            for (int f = 0; f < frames; ++f)
                buffer.setSample (c, f, signal (c, f));
        return writer->writeFromAudioSampleBuffer (buffer, 0, frames);
    }

    inline bool writeWav (const juce::File& file, double rate, int channels, int frames, const Signal& signal,
                          int bits = 16)
    {
        return write (file, juce::WavAudioFormat(), rate, channels, frames, signal, bits);
    }

    inline bool writeAiff (const juce::File& file, double rate, int channels, int frames, const Signal& signal)
    {
        return write (file, juce::AiffAudioFormat(), rate, channels, frames, signal);
    }

    inline Signal constant (float value)
    {
        return [value] (int, int) { return value; };
    }

    inline Signal sine (double frequency, double rate, float amplitude = 0.5f)
    {
        return [=] (int, int f) { return amplitude * (float) std::sin (2.0 * juce::MathConstants<double>::pi * frequency * f / rate); };
    }

    // Signed 16-bit values stored at a byte offset, little- or big-endian.
    inline int16_t int16At (const juce::MemoryBlock& bytes, size_t offset, bool bigEndian)
    {
        const auto* p = static_cast<const uint8_t*> (bytes.getData()) + offset;
        return (int16_t) (bigEndian ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0]);
    }

    // The offset of the first byte after a chunk id and its 4-byte size.
    inline size_t chunkBody (const juce::MemoryBlock& bytes, const char* id)
    {
        const auto* data = static_cast<const char*> (bytes.getData());
        for (size_t i = 0; i + 8 <= bytes.getSize(); ++i)
            if (std::memcmp (data + i, id, 4) == 0)
                return i + 8;
        return 0;
    }
}

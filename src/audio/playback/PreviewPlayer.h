#pragma once

#include "audio/playback/AudioPlayerBase.h"
#include "audio/playback/CRealTimeFsConverterPcmOutput.h"
#include "audio/playback/PcmRingBuffer.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <atomic>
#include <memory>

// Plays an audio file (WAV, AIFF, FLAC, Ogg Vorbis) chosen in the file
// browser: read ahead on a background thread, converted to the prepared rate.
class PreviewPlayer : public AudioPlayerBase
{
public:
    PreviewPlayer();
    ~PreviewPlayer() override;

    void prepare (double rate, int blockSize) override;
    void render (float* const* outputs, int channels, int frames) override;
    bool isPlaying() const override { return playing; }

    // Only once prepared. A file no format can read leaves the player empty;
    // returns whether a file is loaded.
    bool loadFile (const juce::File& file);
    bool hasFile() const { return reader != nullptr; }

    void play();
    void stop();

private:
    void releaseFile();
    void buildStreaming();
    void fillRing (int frames);
    void finish();

    std::atomic<bool> playing { false };
    juce::CriticalSection lock;
    juce::int64 readPosition = 0;
    double preparedRate = 0.0;
    int preparedBlockSize = 0;

    juce::TimeSliceThread readAheadThread { "PreviewReadAhead" };
    std::unique_ptr<juce::AudioFormatReader> reader;
    std::unique_ptr<juce::AudioFormatReaderSource> readerSource;
    std::unique_ptr<juce::BufferingAudioSource> bufferingSource;
    std::unique_ptr<CRealTimeFsConverterPcmOutput> converter;
    std::unique_ptr<PcmRingBuffer> ring;
    juce::AudioBuffer<float> fileBlock;
    juce::AudioBuffer<float> convertedBlock;
    juce::AudioBuffer<float> ringBlock;
};

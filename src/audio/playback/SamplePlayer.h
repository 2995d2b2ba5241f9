#pragma once

#include "audio/playback/AudioPlayerBase.h"
#include "data/SampleData.h"

#include <atomic>

// Plays a private copy of a sample at 48 kHz: lower rates by repeating each
// frame (no filter), between the start and end points or within the
// selection, forward or in reverse, looping or once.
class SamplePlayer : public AudioPlayerBase
{
public:
    static constexpr double renderRate = 48000.0;

    SamplePlayer();

    void prepare (double rate, int blockSize) override;
    void render (float* const* outputs, int channels, int frames) override;
    bool isPlaying() const override { return playing; }

    // Copies the sample when its rate is one of the device's; false (and the
    // player's copy unchanged) otherwise. Then rewinds.
    bool loadSample (const SampleData& sample);

    // The range to play: the selection (inclusive start, exclusive end, as
    // for the points) when on, the sample's start and end points otherwise.
    void setSelectionMode (bool on, int selectionStart = 0, int selectionEnd = 0);

    // Moves to where playback begins: the start of the range, or its end in
    // reverse.
    void rewind();

    void play();
    void stop();

    int getPlayPosition() const;
    void setPlayPosition (int position);

    // The highest level since the last call, in dB; resets it to −60.
    float takePeakLevel (int channel);

private:
    struct Range
    {
        int first, last;
    };

    Range currentRange() const;
    // Writes one group of output frames; false when a non-looping range ended.
    bool renderGroup (float* const* outputs, int channels, int frame, int repeat, const Range& range, bool reverse);
    void updatePeaks (float* const* outputs, int channels, int frames);

    SampleData sample;
    int position = 0;
    std::atomic<bool> playing { false };
    juce::CriticalSection lock;
    double preparedRate = renderRate;
    int preparedBlockSize = 0;
    std::atomic<float> peakLevels[2] { { -60.0f }, { -60.0f } };
    bool selectionMode = false;
    int selectionStart = 0;
    int selectionEnd = 0;
};

#pragma once

#include "app/CZQVSingleton.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <atomic>

// Hands out buffer identities: a counter that grows by one for each.
class AudioBufferIdManager : public CZQVSingleton<AudioBufferIdManager>
{
public:
    int nextId() { return ++lastId; }

    // An identity from the manager, or 0 when the manager does not exist.
    static int newBufferId();

private:
    std::atomic<int> lastId { 0 };
};

// Audio in memory: 32-bit float, one array per channel, with an identity that
// changes whenever the audio changes. Two buffers with the same identity hold
// the same audio, so copies can skip copying it.
class AudioBuffer
{
public:
    AudioBuffer();
    AudioBuffer (const AudioBuffer& other);
    AudioBuffer& operator= (const AudioBuffer& other);
    virtual ~AudioBuffer() = default;

    int getNumChannels() const { return audio.getNumChannels(); }
    int getNumFrames() const { return audio.getNumSamples(); }
    double getSampleRate() const { return sampleRate; }
    int getBufferId() const { return bufferId; }

    juce::AudioSampleBuffer& getAudio() { return audio; }
    const juce::AudioSampleBuffer& getAudio() const { return audio; }

    // Resizes the audio and sets the rate; always takes a new identity.
    void resize (int channels, int frames, double newSampleRate, bool keepExistingContent);

    // For operations that changed the samples in place.
    void takeNewBufferId() { bufferId = AudioBufferIdManager::newBufferId(); }

    // Copies the audio of another buffer unless it already holds the same.
    void copyAudioFrom (const AudioBuffer& other);

    // Takes the audio, rate and identity of another buffer without copying;
    // the other is left empty.
    void takeAudioFrom (AudioBuffer&& other);

protected:
    juce::AudioSampleBuffer audio;
    double sampleRate = 48000.0;
    int bufferId = 0;
};

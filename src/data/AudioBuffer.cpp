#include "data/AudioBuffer.h"

int AudioBufferIdManager::newBufferId()
{
    auto* manager = getInstancePointer();
    return manager != nullptr ? manager->nextId() : 0;
}

AudioBuffer::AudioBuffer()
    : audio (2, 0), bufferId (AudioBufferIdManager::newBufferId())
{
}

AudioBuffer::AudioBuffer (const AudioBuffer& other)
    : audio (other.audio), sampleRate (other.sampleRate), bufferId (other.bufferId)
{
}

AudioBuffer& AudioBuffer::operator= (const AudioBuffer& other)
{
    if (this != &other)
    {
        audio.makeCopyOf (other.audio);
        sampleRate = other.sampleRate;
        bufferId = other.bufferId;
    }
    return *this;
}

void AudioBuffer::resize (int channels, int frames, double newSampleRate, bool keepExistingContent)
{
    audio.setSize (channels, frames, keepExistingContent, ! keepExistingContent, false);

    if (! keepExistingContent)
        audio.clear();

    sampleRate = newSampleRate;
    bufferId = AudioBufferIdManager::newBufferId();
}

void AudioBuffer::copyAudioFrom (const AudioBuffer& other)
{
    // Identity 0 means none was handed out: such audio is always copied.
    if (this != &other && (bufferId != other.bufferId || bufferId == 0))
        AudioBuffer::operator= (other);
}

void AudioBuffer::takeAudioFrom (AudioBuffer&& other)
{
    if (this == &other)
        return;

    audio = std::move (other.audio);
    other.audio.setSize (audio.getNumChannels(), 0);
    sampleRate = other.sampleRate;
    bufferId = other.bufferId;
    other.bufferId = AudioBufferIdManager::newBufferId();
}

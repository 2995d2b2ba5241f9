#include "audio/pipeline/AudioPlayerInput.h"

#include "data/SampleData.h"

#include <algorithm>
#include <cmath>
#include <cstring>

HoursMinutesSeconds HoursMinutesSeconds::fromSeconds (double totalSeconds)
{
    HoursMinutesSeconds time;
    const auto wholeMinutes = (int64_t) (totalSeconds / 60.0);
    time.hours = (int) (wholeMinutes / 60);
    time.minutes = (int) (wholeMinutes % 60);
    time.seconds = totalSeconds - (double) wholeMinutes * 60.0;
    return time;
}

//==============================================================================
int CAudioPlayerInput::getBytesPerSecond() const
{
    return getNumChannels() * getBytesPerSample() * getSampleRate();
}

int64_t CAudioPlayerInput::getRemainingFrames() const
{
    return std::max<int64_t> (0, getLengthInFrames() - getPosition());
}

double CAudioPlayerInput::getLengthInSeconds() const
{
    return getSampleRate() > 0 ? (double) getLengthInFrames() / getSampleRate() : 0.0;
}

HoursMinutesSeconds CAudioPlayerInput::getLengthAsTime() const
{
    return HoursMinutesSeconds::fromSeconds (getLengthInSeconds());
}

double CAudioPlayerInput::getPositionInPercent() const
{
    const auto length = getLengthInFrames();
    return length > 0 ? 100.0 * (double) getPosition() / (double) length : 0.0;
}

double CAudioPlayerInput::getPositionInSeconds() const
{
    return getSampleRate() > 0 ? (double) getPosition() / getSampleRate() : 0.0;
}

HoursMinutesSeconds CAudioPlayerInput::getPositionAsTime() const
{
    return HoursMinutesSeconds::fromSeconds (getPositionInSeconds());
}

void CAudioPlayerInput::setPositionInPercent (double percent)
{
    setPosition ((int64_t) (percent / 100.0 * (double) getLengthInFrames()));
}

void CAudioPlayerInput::setPositionInSeconds (double seconds)
{
    setPosition ((int64_t) (seconds * getSampleRate()));
}

template <typename T>
int CAudioPlayerInput::clearRaw (T* destination, int frames)
{
    if (destination != nullptr && frames > 0)
        std::memset (destination, 0, (size_t) frames * (size_t) getNumChannels() * sizeof (T));
    return 0;
}

int CAudioPlayerInput::readRaw16 (int16_t* destination, int frames) { return clearRaw (destination, frames); }
int CAudioPlayerInput::readRaw32 (int32_t* destination, int frames) { return clearRaw (destination, frames); }
int CAudioPlayerInput::readRawFloat (float* destination, int frames) { return clearRaw (destination, frames); }

//==============================================================================
SampleDataAudioPlayerInput::SampleDataAudioPlayerInput (const SampleData* sourceSample)
    : source (sourceSample)
{
}

int SampleDataAudioPlayerInput::getSampleRate() const
{
    return source != nullptr ? (int) source->getSampleRate() : 0;
}

int16_t SampleDataAudioPlayerInput::getNumChannels() const
{
    return source != nullptr ? (int16_t) source->getNumChannels() : 0;
}

int64_t SampleDataAudioPlayerInput::getLengthInFrames() const
{
    return source != nullptr ? source->getNumFrames() : 0;
}

void SampleDataAudioPlayerInput::setPosition (int64_t frame)
{
    position = std::clamp<int64_t> (frame, 0, getLengthInFrames());
}

int SampleDataAudioPlayerInput::read (float* const* destinations, int frames, int destinationOffset)
{
    const int count = (int) std::min<int64_t> (std::max (frames, 0), getRemainingFrames());
    if (count == 0)
        return 0;

    for (int c = 0; c < getNumChannels(); ++c)
        std::memcpy (destinations[c] + destinationOffset, source->getAudio().getReadPointer (c, (int) position),
                     (size_t) count * sizeof (float));

    position += count;
    return count;
}

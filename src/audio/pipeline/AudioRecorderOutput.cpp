#include "audio/pipeline/AudioRecorderOutput.h"

#include "data/SampleData.h"

#include <algorithm>
#include <cstring>

SampleDataAudioRecorderOutput::SampleDataAudioRecorderOutput (SampleData* destinationSample)
    : destination (destinationSample)
{
}

int SampleDataAudioRecorderOutput::getSampleRate() const
{
    return destination != nullptr ? (int) destination->getSampleRate() : 0;
}

int16_t SampleDataAudioRecorderOutput::getNumChannels() const
{
    return destination != nullptr ? (int16_t) destination->getNumChannels() : 0;
}

int SampleDataAudioRecorderOutput::write (const float* const* sources, int frames)
{
    if (destination == nullptr)
        return 0;

    const int count = std::min (std::max (frames, 0), destination->getNumFrames() - framesWritten);
    if (count <= 0)
        return 0;

    for (int c = 0; c < getNumChannels(); ++c)
        std::memcpy (destination->getAudio().getWritePointer (c, framesWritten), sources[c],
                     (size_t) count * sizeof (float));

    framesWritten += count;
    return count;
}

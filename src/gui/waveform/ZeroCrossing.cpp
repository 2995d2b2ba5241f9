#include "gui/waveform/ZeroCrossing.h"

#include "data/SampleData.h"

namespace
{
bool crossesAt (const SampleData& sample, int frame)
{
    for (int channel = 0; channel < sample.getNumChannels(); ++channel)
    {
        const float* samples = sample.getAudio().getReadPointer (channel);
        if (samples[frame] == 0.0f || (frame > 0 && (samples[frame - 1] < 0.0f) != (samples[frame] < 0.0f)))
            return true;
    }
    return false;
}
}

int ZeroCrossing::nearest (const SampleData& sample, int frame, int limit)
{
    limit = juce::jmin (limit, sample.getNumFrames());
    for (int distance = 0; frame - distance >= 0 || frame + distance < limit; ++distance)
    {
        if (frame - distance >= 0 && frame - distance < limit && crossesAt (sample, frame - distance))
            return frame - distance;
        if (frame + distance < limit && frame + distance >= 0 && crossesAt (sample, frame + distance))
            return frame + distance;
    }
    return frame;
}

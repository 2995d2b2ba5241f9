#include "audio/playback/PcmRingBuffer.h"

#include <algorithm>
#include <cstring>

PcmRingBuffer::PcmRingBuffer (int capacityFrames, int numChannels)
    : capacity (std::max (1, capacityFrames)),
      channels ((size_t) std::max (1, numChannels), std::vector<float> ((size_t) capacity, 0.0f))
{
}

int PcmRingBuffer::write (const float* const* sources, int n)
{
    if (n >= capacity || n <= 0)
        return 0;

    const int count = std::min (n, capacity - level);
    const int firstPart = std::min (count, capacity - writeIndex);

    for (size_t c = 0; c < channels.size(); ++c)
    {
        float* ring = channels[c].data();
        std::memcpy (ring + writeIndex, sources[c], (size_t) firstPart * sizeof (float));
        std::memcpy (ring, sources[c] + firstPart, (size_t) (count - firstPart) * sizeof (float));
    }

    writeIndex = (writeIndex + count) % capacity;
    level += count;
    return count;
}

int PcmRingBuffer::read (float* const* destinations, int n)
{
    if (n >= capacity || n <= 0)
        return 0;

    const int count = std::min (n, level);
    const int firstPart = std::min (count, capacity - readIndex);

    for (size_t c = 0; c < channels.size(); ++c)
    {
        const float* ring = channels[c].data();
        std::memcpy (destinations[c], ring + readIndex, (size_t) firstPart * sizeof (float));
        std::memcpy (destinations[c] + firstPart, ring, (size_t) (count - firstPart) * sizeof (float));
    }

    readIndex = (readIndex + count) % capacity;
    level -= count;
    return count;
}

void PcmRingBuffer::clear()
{
    level = 0;
    readIndex = 0;
    writeIndex = 0;
}

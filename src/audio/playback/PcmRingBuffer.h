#pragma once

#include <vector>

// A fixed-size ring of float frames, one array per channel, between a
// producer and a consumer on the same thread.
class PcmRingBuffer
{
public:
    PcmRingBuffer (int capacityFrames, int channels);

    // Writes as many of n frames as there is room for; refuses (0) when n is
    // not below the capacity. Returns the frames written.
    int write (const float* const* sources, int n);

    // Reads up to n frames; refuses (0) when n is not below the capacity.
    int read (float* const* destinations, int n);

    void clear();

    int getCapacity() const { return capacity; }
    int getNumChannels() const { return (int) channels.size(); }
    int getLevel() const { return level; }
    int getFreeSpace() const { return capacity - level; }

private:
    int capacity;
    std::vector<std::vector<float>> channels;
    int readIndex = 0;
    int writeIndex = 0;
    int level = 0;
};

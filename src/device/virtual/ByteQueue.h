#pragma once

#include "device/UsbDriver.h"

#include <condition_variable>
#include <deque>
#include <mutex>

// A one-way in-memory pipe of bytes. Bytes may be held back until a moment
// in the future (a device that answers late). Once closed, readers drain
// what is left and then fail.
class ByteQueue
{
public:
    void push (const void* bytes, size_t count, int delayMs = 0);
    void close();
    bool isClosed() const;

    // Exactly count bytes, as UsbDriver::read.
    UsbDriver::ReadResult read (void* dest, size_t count, int waitMs, const UsbDriver::StopRequest& stopRequested);

private:
    struct Chunk
    {
        juce::MemoryBlock bytes;
        size_t offset = 0;
        juce::uint32 readyAt = 0;
    };

    bool frontIsReady (juce::uint32 now) const;
    size_t takeReady (uint8_t* dest, size_t count);

    mutable std::mutex lock;
    std::condition_variable changed;
    std::deque<Chunk> chunks;
    bool closed = false;
};

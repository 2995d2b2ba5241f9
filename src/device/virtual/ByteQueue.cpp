#include "device/virtual/ByteQueue.h"

#include <algorithm>
#include <cstring>

void ByteQueue::push (const void* bytes, size_t count, int delayMs)
{
    if (count == 0)
        return;

    {
        std::lock_guard<std::mutex> guard (lock);

        if (closed)
            return;

        chunks.push_back ({ juce::MemoryBlock (bytes, count), 0,
                            juce::Time::getMillisecondCounter() + (juce::uint32) std::max (delayMs, 0) });
    }
    changed.notify_all();
}

void ByteQueue::close()
{
    {
        std::lock_guard<std::mutex> guard (lock);
        closed = true;
    }
    changed.notify_all();
}

bool ByteQueue::isClosed() const
{
    std::lock_guard<std::mutex> guard (lock);
    return closed;
}

bool ByteQueue::frontIsReady (juce::uint32 now) const
{
    return ! chunks.empty() && (juce::int32) (now - chunks.front().readyAt) >= 0;
}

size_t ByteQueue::takeReady (uint8_t* dest, size_t count)
{
    size_t taken = 0;
    const auto now = juce::Time::getMillisecondCounter();

    while (taken < count && frontIsReady (now))
    {
        auto& chunk = chunks.front();
        const size_t n = std::min (count - taken, chunk.bytes.getSize() - chunk.offset);
        std::memcpy (dest + taken, static_cast<const uint8_t*> (chunk.bytes.getData()) + chunk.offset, n);
        chunk.offset += n;
        taken += n;

        if (chunk.offset == chunk.bytes.getSize())
            chunks.pop_front();
    }

    return taken;
}

UsbDriver::ReadResult ByteQueue::read (void* dest, size_t count, int waitMs, const UsbDriver::StopRequest& stopRequested)
{
    auto* out = static_cast<uint8_t*> (dest);
    size_t got = 0;
    std::unique_lock<std::mutex> guard (lock);

    while (got < count)
    {
        got += takeReady (out + got, count - got);

        if (got == count)
            break;

        if (closed && chunks.empty())
            return UsbDriver::ReadResult::failed;

        // Wake when bytes come, or when the held-back front becomes ready.
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds (waitMs);
        bool progressed = false;

        while (! progressed)
        {
            auto until = deadline;

            if (! chunks.empty())
            {
                const auto delay = (juce::int32) (chunks.front().readyAt - juce::Time::getMillisecondCounter());
                until = std::min (until, std::chrono::steady_clock::now() + std::chrono::milliseconds (std::max (delay, 0)));
            }

            if (changed.wait_until (guard, until) == std::cv_status::timeout && std::chrono::steady_clock::now() >= deadline)
                break;

            progressed = frontIsReady (juce::Time::getMillisecondCounter()) || (closed && chunks.empty());
        }

        if (! progressed && got == 0)
            return UsbDriver::ReadResult::nothing;

        if (! progressed && stopRequested())
            return UsbDriver::ReadResult::failed;
    }

    return UsbDriver::ReadResult::complete;
}

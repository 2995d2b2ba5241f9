#include "app/ForwardingOutputStream.h"

ForwardingOutputStream::ForwardingOutputStream (juce::OutputStream& out)
    : target (out)
{
    furthest = target.getPosition();
}

void ForwardingOutputStream::flush()
{
    target.flush();
}

bool ForwardingOutputStream::setPosition (juce::int64 newPosition)
{
    return target.setPosition (newPosition);
}

juce::int64 ForwardingOutputStream::getPosition()
{
    return target.getPosition();
}

bool ForwardingOutputStream::write (const void* data, size_t numBytes)
{
    const bool written = target.write (data, numBytes);
    failed = failed || ! written;
    furthest = std::max (furthest, target.getPosition());
    return written;
}

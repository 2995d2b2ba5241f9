#pragma once

#include <juce_core/juce_core.h>

// Passes everything on to a stream it does not own, and remembers how far
// into the stream anything was written and whether any write failed. Lets a
// writer that insists on owning its stream (the framework's audio writers)
// write into a stream that someone else checks and closes.
class ForwardingOutputStream : public juce::OutputStream
{
public:
    explicit ForwardingOutputStream (juce::OutputStream& target);

    void flush() override;
    bool setPosition (juce::int64 newPosition) override;
    juce::int64 getPosition() override;
    bool write (const void* data, size_t numBytes) override;

    // The end of the furthest write: the size the written file must have.
    juce::int64 getFurthestPosition() const noexcept { return furthest; }
    bool anyWriteFailed() const noexcept { return failed; }

private:
    juce::OutputStream& target;
    juce::int64 furthest = 0;
    bool failed = false;
};

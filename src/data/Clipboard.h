#pragma once

#include <juce_core/juce_core.h>

// A clipboard of private formats: each format, known by its name, holds one
// block of bytes. Putting data empties the clipboard first, so it holds the
// data of one put at a time.
class Clipboard
{
public:
    virtual ~Clipboard() = default;

    // False when the bytes could not be put there.
    virtual bool put (const juce::String& format, const void* bytes, size_t size) = 0;

    // False, with the block untouched, when the clipboard holds nothing of
    // the format.
    virtual bool get (const juce::String& format, juce::MemoryBlock& bytes) const = 0;

    virtual bool holds (const juce::String& format) const = 0;
};

#include "data/CZQVClipboard.h"

#include <new>

bool CZQVClipboard::put (const juce::String& format, const void* bytes, size_t size)
{
    const std::lock_guard<std::mutex> guard (lock);
    formats.clear();

    try
    {
        formats[format] = juce::MemoryBlock (bytes, size);
    }
    catch (const std::bad_alloc&)
    {
        // A whole bank's sample memory may not find room for a copy.
        formats.clear();
        return false;
    }

    return true;
}

bool CZQVClipboard::get (const juce::String& format, juce::MemoryBlock& bytes) const
{
    const std::lock_guard<std::mutex> guard (lock);
    const auto found = formats.find (format);

    if (found == formats.end())
        return false;

    bytes = found->second;
    return true;
}

bool CZQVClipboard::holds (const juce::String& format) const
{
    const std::lock_guard<std::mutex> guard (lock);
    return formats.count (format) != 0;
}

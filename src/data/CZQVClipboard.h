#pragma once

#include "app/CZQVSingleton.h"
#include "data/Clipboard.h"

#include <map>
#include <mutex>

// The program's clipboard for its private formats (samples and patterns),
// kept by the program itself for the whole process. Any thread.
class CZQVClipboard : public Clipboard,
                      public CZQVSingleton<CZQVClipboard>
{
public:
    bool put (const juce::String& format, const void* bytes, size_t size) override;
    bool get (const juce::String& format, juce::MemoryBlock& bytes) const override;
    bool holds (const juce::String& format) const override;

private:
    mutable std::mutex lock;
    std::map<juce::String, juce::MemoryBlock> formats;
};

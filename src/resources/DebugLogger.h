#pragma once

#include "app/CZQVSingleton.h"

#include <juce_core/juce_core.h>

#include <deque>
#include <mutex>

// Keeps the most recent diagnostic lines in memory: each new line is added
// at the end, and beyond maxLines the oldest is dropped.
class DebugLogger : public juce::Logger,
                    public CZQVSingleton<DebugLogger>
{
public:
    static constexpr size_t maxLines = 100;

    void logMessage (const juce::String& message) override;

    // The lines held, oldest first.
    juce::StringArray getLines() const;

private:
    mutable std::mutex lock;
    std::deque<juce::String> lines;
};

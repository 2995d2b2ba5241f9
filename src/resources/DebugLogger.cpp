#include "resources/DebugLogger.h"

void DebugLogger::logMessage (const juce::String& message)
{
    std::lock_guard<std::mutex> guard (lock);
    lines.push_back (message);

    if (lines.size() > maxLines)
        lines.pop_front();
}

juce::StringArray DebugLogger::getLines() const
{
    std::lock_guard<std::mutex> guard (lock);
    juce::StringArray held;

    for (const auto& line : lines)
        held.add (line);

    return held;
}

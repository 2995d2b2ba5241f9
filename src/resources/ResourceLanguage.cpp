#include "resources/ResourceLanguage.h"

#include <cstdlib>
#include <mutex>

namespace ResourceLanguage
{
namespace
{
std::mutex choiceLock;
juce::String chosen;
}

bool isSupported (const juce::String& language)
{
    return language == english || language == japanese;
}

juce::String fromLocale (const std::function<juce::String (const char* name)>& variable)
{
    for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" })
    {
        const auto locale = variable (name);

        if (locale.isNotEmpty())
            return locale.startsWithIgnoreCase (japanese) ? japanese : english;
    }
    return english;
}

juce::String ofSystem()
{
    return fromLocale ([] (const char* name) { return juce::String::fromUTF8 (std::getenv (name)); });
}

juce::String current()
{
    {
        std::lock_guard<std::mutex> lock (choiceLock);
        if (chosen.isNotEmpty())
            return chosen;
    }
    return ofSystem();
}

void choose (const juce::String& language)
{
    std::lock_guard<std::mutex> lock (choiceLock);
    chosen = language;
}
}

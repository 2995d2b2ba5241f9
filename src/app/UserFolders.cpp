#include "app/UserFolders.h"

#include <mutex>

namespace
{
std::mutex overrideLock;
juce::File applicationDataOverride;

juce::File applicationDataFolder()
{
    std::lock_guard<std::mutex> lock (overrideLock);

    if (applicationDataOverride != juce::File())
        return applicationDataOverride;

    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory);
}
}

namespace UserFolders
{
juce::File getSettingsFolder()
{
    auto folder = applicationDataFolder().getChildFile ("Tavir").getChildFile ("Plovara Editor");
    folder.createDirectory();
    return folder;
}

void overrideApplicationDataFolder (const juce::File& folder)
{
    std::lock_guard<std::mutex> lock (overrideLock);
    applicationDataOverride = folder;
}
}

#pragma once

#include <juce_core/juce_core.h>

// The per-user folders of the program.
namespace UserFolders
{
    // The user's application-data folder joined with "Tavir" and
    // "Plovara Editor"; created when missing, each time it is asked for.
    juce::File getSettingsFolder();

    // Tests and the command-line tool may point the program at another
    // application-data folder (an empty file restores the user's own).
    void overrideApplicationDataFolder (const juce::File& folder);
}

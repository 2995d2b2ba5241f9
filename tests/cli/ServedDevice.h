#pragma once

#include <juce_core/juce_core.h>

#include <sys/types.h>

// plovara-cli virtual-device serving on a socket in a folder, for one test;
// the options are those of virtual-device after its socket.
struct ServedDevice
{
    ServedDevice (const juce::File& folder, const juce::StringArray& options = {});
    ~ServedDevice() { stop(); }

    // Ends the server, which writes the device's memory to its state file
    // when it has one.
    void stop();

    juce::String deviceOption() const { return "socket:" + socket.getFullPathName(); }

    const juce::File socket;
    pid_t pid = 0;
};

#pragma once

#include "cli/CliCommand.h"
#include "device/UsbSessionManager.h"
#include "device/virtual/VirtualPlovara.h"

#include <memory>

// The tool's connection to the device that --device names: real USB
// hardware, an emulated Plovara of the tool's own (virtual), or one served
// on a socket (socket:PATH).
class CliDevice
{
public:
    struct Choice
    {
        int portKind = UsbSessionManager::usbPort;
        juce::String socketPath;
    };

    // False for a choice that names no device.
    static bool parse (const juce::String& text, Choice& choice);

    explicit CliDevice (const Choice& choice);
    ~CliDevice();

    // Opens the port; answers the message key of the failure, or an empty
    // text when it is open.
    juce::String open();

    UsbSessionManager& getManager() { return manager; }

private:
    std::shared_ptr<VirtualPlovara> ownDevice;
    UsbSessionManager manager;
};

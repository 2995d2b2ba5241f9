#pragma once

#include "device/UsbSessionManager.h"
#include "device/virtual/VirtualPlovara.h"

#include <memory>

// The program's connection to the device that --device (or PLOVARA_DEVICE)
// names: real USB hardware ("usb"), an emulated Plovara of the program's own
// ("virtual"), or one served on a socket ("socket:PATH").
class DeviceConnection
{
public:
    struct Choice
    {
        int portKind = UsbSessionManager::usbPort;
        juce::String socketPath;

        // The emulated device of a virtual port; a device in its initial
        // state when none is given.
        std::shared_ptr<VirtualPlovara> virtualDevice;
    };

    // False for a choice that names no device.
    static bool parse (const juce::String& text, Choice& choice);

    // The choice among command-line tokens ("--device X" or "--device=X"),
    // else from PLOVARA_DEVICE, else USB hardware.
    static Choice fromCommandLine (const juce::StringArray& tokens);

    explicit DeviceConnection (const Choice& choice);
    ~DeviceConnection();

    // Opens the port; answers the message key of the failure, or an empty
    // text when it is open.
    juce::String open();

    UsbSessionManager& getManager() { return manager; }

private:
    std::shared_ptr<VirtualPlovara> ownDevice;
    UsbSessionManager manager;
};

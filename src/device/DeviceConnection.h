#pragma once

#include "device/UsbSessionManager.h"
#include "device/virtual/VirtualPlovara.h"

#include <memory>

// The program's connection to the device that --device (or PLOVARA_DEVICE)
// names: real USB hardware ("usb"), an emulated Plovara of the program's own
// ("virtual"), or one served on a socket ("socket:PATH"). An emulated device
// may keep its memory in a ".plvr_all" file from one run to the next.
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

        // Where a virtual port's device keeps its memory: read when the
        // connection is made, written when it ends. None when empty.
        juce::File stateFile;

        // A state file that does not exist yet starts with the demo banks.
        bool demoWhenNew = false;
    };

    // The state file of "--demo": in the user's settings folder.
    static juce::File demoStateFile();

    // False for a choice that names no device.
    static bool parse (const juce::String& text, Choice& choice);

    // The choice among command-line tokens ("--device X" or "--device=X"),
    // else from PLOVARA_DEVICE, else USB hardware. "--virtual-state FILE"
    // gives a virtual port's state file; "--demo" is the virtual port with
    // the demo state file.
    static Choice fromCommandLine (const juce::StringArray& tokens);

    explicit DeviceConnection (const Choice& choice);
    ~DeviceConnection();

    // Opens the port; answers the message key of the failure, or an empty
    // text when it is open.
    juce::String open();

    UsbSessionManager& getManager() { return manager; }

private:
    void loadState (const Choice& choice);

    std::shared_ptr<VirtualPlovara> ownDevice;
    juce::File stateFile;
    UsbSessionManager manager;
};

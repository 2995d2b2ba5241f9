#include "device/DeviceConnection.h"

#include "app/Exception.h"
#include "app/UserFolders.h"
#include "device/virtual/DemoBanks.h"
#include "device/virtual/VirtualPlovaraState.h"
#include "device/virtual/VirtualUsbBus.h"

bool DeviceConnection::parse (const juce::String& text, Choice& choice)
{
    if (text == "usb")
        choice = { UsbSessionManager::usbPort, {}, {}, {} };
    else if (text == "virtual")
        choice = { UsbSessionManager::virtualPort, {}, {}, {} };
    else if (text.startsWith ("socket:") && text.length() > 7)
        choice = { UsbSessionManager::socketPort,
                   juce::File::getCurrentWorkingDirectory().getChildFile (text.substring (7)).getFullPathName(), {}, {} };
    else
        return false;

    return true;
}

DeviceConnection::Choice DeviceConnection::fromCommandLine (const juce::StringArray& tokens)
{
    Choice choice;
    juce::String named = juce::SystemStats::getEnvironmentVariable ("PLOVARA_DEVICE", {});

    juce::String statePath;
    bool demo = false;

    for (int i = 0; i < tokens.size(); ++i)
    {
        if (tokens[i] == "--device" && i + 1 < tokens.size())
            named = tokens[i + 1];
        else if (tokens[i].startsWith ("--device="))
            named = tokens[i].fromFirstOccurrenceOf ("=", false, false);
        else if (tokens[i] == "--virtual-state" && i + 1 < tokens.size())
            statePath = tokens[i + 1];
        else if (tokens[i].startsWith ("--virtual-state="))
            statePath = tokens[i].fromFirstOccurrenceOf ("=", false, false);
        else if (tokens[i] == "--demo")
            demo = true;
    }

    if (demo)
    {
        choice.portKind = UsbSessionManager::virtualPort;
        choice.stateFile = demoStateFile();
        choice.demoWhenNew = true;
        return choice;
    }

    if (named.isNotEmpty() && ! parse (named, choice))
        choice = {};

    if (choice.portKind == UsbSessionManager::virtualPort && statePath.isNotEmpty())
        choice.stateFile = juce::File::getCurrentWorkingDirectory().getChildFile (statePath);

    return choice;
}

juce::File DeviceConnection::demoStateFile()
{
    return UserFolders::getSettingsFolder().getChildFile ("DemoDevice.plvr_all");
}

DeviceConnection::DeviceConnection (const Choice& choice)
{
    if (choice.portKind == UsbSessionManager::virtualPort)
    {
        ownDevice = choice.virtualDevice != nullptr ? choice.virtualDevice : std::make_shared<VirtualPlovara>();
        loadState (choice);
        VirtualUsbBus::getInstance().plug (ownDevice);
    }

    manager.setPortKind (choice.portKind, choice.socketPath);
}

DeviceConnection::~DeviceConnection()
{
    if (ownDevice == nullptr)
        return;

    VirtualUsbBus::getInstance().unplug (*ownDevice);

    if (stateFile != juce::File() && ! VirtualPlovaraState::saveToFile (*ownDevice, stateFile))
        juce::Logger::writeToLog ("The emulated device's memory could not be written to " + stateFile.getFullPathName());
}

// A state file that cannot be read is left alone, and the device starts
// from its initial memory without writing over the file at the end.
void DeviceConnection::loadState (const Choice& choice)
{
    if (choice.stateFile == juce::File())
        return;

    if (choice.stateFile.existsAsFile())
    {
        try
        {
            VirtualPlovaraState::loadFromFile (*ownDevice, choice.stateFile);
            stateFile = choice.stateFile;
        }
        catch (const Exception& e)
        {
            juce::Logger::writeToLog ("The emulated device's memory was not read from " + choice.stateFile.getFullPathName()
                 + ": " + e.getMessageKey());
        }
        return;
    }

    stateFile = choice.stateFile;

    if (choice.demoWhenNew)
    {
        DemoBanks::fill (*ownDevice);
        VirtualPlovaraState::saveToFile (*ownDevice, stateFile);
    }
}

juce::String DeviceConnection::open()
{
    try
    {
        return manager.openPort() ? juce::String() : juce::String ("Error_UsbFailedToOpenUsbPort");
    }
    catch (const Exception& e)
    {
        return e.getMessageKey();
    }
}

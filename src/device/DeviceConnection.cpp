#include "device/DeviceConnection.h"

#include "app/Exception.h"
#include "device/virtual/VirtualUsbBus.h"

bool DeviceConnection::parse (const juce::String& text, Choice& choice)
{
    if (text == "usb")
        choice = { UsbSessionManager::usbPort, {}, {} };
    else if (text == "virtual")
        choice = { UsbSessionManager::virtualPort, {}, {} };
    else if (text.startsWith ("socket:") && text.length() > 7)
        choice = { UsbSessionManager::socketPort,
                   juce::File::getCurrentWorkingDirectory().getChildFile (text.substring (7)).getFullPathName(), {} };
    else
        return false;

    return true;
}

DeviceConnection::Choice DeviceConnection::fromCommandLine (const juce::StringArray& tokens)
{
    Choice choice;
    juce::String named = juce::SystemStats::getEnvironmentVariable ("PLOVARA_DEVICE", {});

    for (int i = 0; i < tokens.size(); ++i)
    {
        if (tokens[i] == "--device" && i + 1 < tokens.size())
            named = tokens[i + 1];
        else if (tokens[i].startsWith ("--device="))
            named = tokens[i].fromFirstOccurrenceOf ("=", false, false);
    }

    if (named.isNotEmpty() && ! parse (named, choice))
        choice = {};

    return choice;
}

DeviceConnection::DeviceConnection (const Choice& choice)
{
    if (choice.portKind == UsbSessionManager::virtualPort)
    {
        ownDevice = choice.virtualDevice != nullptr ? choice.virtualDevice : std::make_shared<VirtualPlovara>();
        VirtualUsbBus::getInstance().plug (ownDevice);
    }

    manager.setPortKind (choice.portKind, choice.socketPath);
}

DeviceConnection::~DeviceConnection()
{
    if (ownDevice != nullptr)
        VirtualUsbBus::getInstance().unplug (*ownDevice);
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

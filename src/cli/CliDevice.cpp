#include "cli/CliDevice.h"

#include "app/Exception.h"
#include "device/virtual/VirtualUsbBus.h"

bool CliDevice::parse (const juce::String& text, Choice& choice)
{
    if (text == "usb")
        choice = { UsbSessionManager::usbPort, {} };
    else if (text == "virtual")
        choice = { UsbSessionManager::virtualPort, {} };
    else if (text.startsWith ("socket:") && text.length() > 7)
        choice = { UsbSessionManager::socketPort,
                   juce::File::getCurrentWorkingDirectory().getChildFile (text.substring (7)).getFullPathName() };
    else
        return false;

    return true;
}

CliDevice::CliDevice (const Choice& choice)
{
    if (choice.portKind == UsbSessionManager::virtualPort)
    {
        ownDevice = std::make_shared<VirtualPlovara>();
        VirtualUsbBus::getInstance().plug (ownDevice);
    }

    manager.setPortKind (choice.portKind, choice.socketPath);
}

CliDevice::~CliDevice()
{
    if (ownDevice != nullptr)
        VirtualUsbBus::getInstance().unplug (*ownDevice);
}

juce::String CliDevice::open()
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

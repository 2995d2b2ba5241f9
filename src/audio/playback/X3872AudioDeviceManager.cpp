#include "audio/playback/X3872AudioDeviceManager.h"

X3872AudioDeviceManager::~X3872AudioDeviceManager()
{
    releaseDevice();
}

void X3872AudioDeviceManager::setDevice (std::unique_ptr<juce::AudioIODevice> newDevice)
{
    releaseDevice();
    device = std::move (newDevice);
}

void closeAudioDevice (std::unique_ptr<juce::AudioIODevice>& device)
{
    if (device == nullptr)
        return;

    if (device->isPlaying())
        device->stop();
    if (device->isOpen())
        device->close();
    device.reset();
}

void X3872AudioDeviceManager::releaseDevice()
{
    closeAudioDevice (device);
}

#pragma once

#include "app/CZQVSingleton.h"

#include <juce_audio_devices/juce_audio_devices.h>

#include <memory>

// Process-wide holder of an audio device. The engine owns the device it
// plays on, so this one normally holds none; whatever it is given it stops,
// closes and deletes when it goes.
// Stops, closes and deletes an audio device, whatever state it is in.
void closeAudioDevice (std::unique_ptr<juce::AudioIODevice>& device);

class X3872AudioDeviceManager : public CZQVSingleton<X3872AudioDeviceManager>
{
public:
    ~X3872AudioDeviceManager();

    void setDevice (std::unique_ptr<juce::AudioIODevice> newDevice);
    juce::AudioIODevice* getDevice() const { return device.get(); }

private:
    void releaseDevice();

    std::unique_ptr<juce::AudioIODevice> device;
};

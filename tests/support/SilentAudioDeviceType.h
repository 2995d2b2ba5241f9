#pragma once

#include "audio/playback/AudioDeviceSettings.h"

#include <juce_audio_devices/juce_audio_devices.h>

// An audio device type with one output that opens and starts like a sound
// card but never asks for audio: players it drives keep whatever state the
// program leaves them in.
namespace TestSupport
{
    class SilentAudioDevice : public juce::AudioIODevice
    {
    public:
        SilentAudioDevice() : juce::AudioIODevice ("Silent Output", "Silent") {}

        juce::StringArray getOutputChannelNames() override { return { "Left", "Right" }; }
        juce::StringArray getInputChannelNames() override { return {}; }
        juce::Array<double> getAvailableSampleRates() override { return { 48000.0 }; }
        juce::Array<int> getAvailableBufferSizes() override { return { 512 }; }
        int getDefaultBufferSize() override { return 512; }

        juce::String open (const juce::BigInteger&, const juce::BigInteger&, double, int) override
        {
            opened = true;
            return {};
        }

        void close() override { opened = false; }
        bool isOpen() override { return opened; }

        void start (juce::AudioIODeviceCallback* callback) override
        {
            if (callback != nullptr)
                callback->audioDeviceAboutToStart (this);
            started = true;
        }

        void stop() override { started = false; }
        bool isPlaying() override { return started; }
        juce::String getLastError() override { return {}; }
        int getCurrentBufferSizeSamples() override { return 512; }
        double getCurrentSampleRate() override { return 48000.0; }
        int getCurrentBitDepth() override { return 16; }
        juce::BigInteger getActiveOutputChannels() const override { return 3; }
        juce::BigInteger getActiveInputChannels() const override { return 0; }
        int getOutputLatencyInSamples() override { return 0; }
        int getInputLatencyInSamples() override { return 0; }

    private:
        bool opened = false, started = false;
    };

    class SilentAudioDeviceType : public juce::AudioIODeviceType
    {
    public:
        SilentAudioDeviceType() : juce::AudioIODeviceType ("Silent") {}

        void scanForDevices() override {}
        juce::StringArray getDeviceNames (bool wantInputNames) const override
        {
            return wantInputNames ? juce::StringArray() : juce::StringArray ("Silent Output");
        }
        int getDefaultDeviceIndex (bool) const override { return 0; }
        int getIndexOfDevice (juce::AudioIODevice*, bool) const override { return 0; }
        bool hasSeparateInputsAndOutputs() const override { return true; }

        juce::AudioIODevice* createDevice (const juce::String&, const juce::String&) override
        {
            return new SilentAudioDevice();
        }

        // The device types of an engine that opens the silent output.
        static juce::OwnedArray<juce::AudioIODeviceType> asDeviceTypes()
        {
            juce::OwnedArray<juce::AudioIODeviceType> types;
            types.add (new SilentAudioDeviceType());
            return types;
        }

        // Settings that choose it.
        static AudioDeviceSettings settings()
        {
            AudioDeviceSettings chosen { juce::XmlElement (AudioDeviceSettings::elementName) };
            chosen.setUseDefaultDeviceType (false);
            chosen.setDeviceType ("Silent");
            chosen.setUseDefaultDeviceName (true);
            return chosen;
        }
    };
}

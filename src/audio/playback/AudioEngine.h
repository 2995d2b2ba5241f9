#pragma once

#include "audio/playback/AudioDeviceSettings.h"
#include "audio/playback/CRealTimeFsConverterPcmOutput.h"
#include "audio/playback/PcmRingBuffer.h"
#include "audio/playback/PreviewPlayer.h"
#include "audio/playback/SamplePlayer.h"

#include <juce_audio_devices/juce_audio_devices.h>

#include <memory>

// Mixes the sample player and the preview player at 48 kHz, converts the mix
// to the device's rate and feeds the device through a ring buffer. Opens the
// device from the audio device settings; without a device it runs silently.
class AudioEngine : public juce::AudioIODeviceCallback
{
public:
    static constexpr double mixRate = 48000.0;
    static constexpr float mixGain = 0.7f;
    static constexpr int ringReserve = 2048;
    static constexpr int lowRingLevel = 99;
    static constexpr int topUpFrames = 100;

    // The framework's device types for the platform, each scanned for devices.
    static juce::OwnedArray<juce::AudioIODeviceType> createPlatformDeviceTypes();

    AudioEngine (const AudioDeviceSettings& settings, juce::OwnedArray<juce::AudioIODeviceType> deviceTypes);
    ~AudioEngine() override;

    // Message thread. Each returns the message key of a failure, empty on
    // success (and when no device name is chosen).
    juce::String openDevice();
    void closeDevice();
    juce::String selectDeviceType (const juce::String& name);
    juce::String selectDevice (const juce::String& name);
    juce::String selectOutputChannel (int pair);
    juce::String selectBufferSize (int frames);
    juce::String selectSampleRate (double rate);

    const AudioDeviceSettings& getSettings() const { return settings; }
    juce::AudioIODevice* getDevice() const { return device.get(); }

    juce::StringArray getDeviceTypeNames() const;
    juce::StringArray getDeviceNames (const juce::String& typeName) const;
    juce::Array<int> getBufferSizes() const { return bufferSizes; }
    juce::Array<double> getSampleRates() const { return sampleRates; }
    juce::StringArray getOutputChannelPairNames() const { return pairNames; }

    SamplePlayer& getSamplePlayer() { return samplePlayer; }
    PreviewPlayer& getPreviewPlayer() { return previewPlayer; }

    // The ring, the converter and the players for a device running at this
    // rate with this block size; called when the device starts.
    void prepareForDevice (double rate, int bufferSize);

    float takePeakLevel (int channel);

    void audioDeviceIOCallbackWithContext (const float* const* inputs, int numInputs, float* const* outputs,
                                           int numOutputs, int frames,
                                           const juce::AudioIODeviceCallbackContext& context) override;
    void audioDeviceAboutToStart (juce::AudioIODevice* device) override;
    void audioDeviceStopped() override {}

    // The 48 kHz frames mixed for n device frames at a ring level.
    static int framesToRender (int n, double deviceRate, int ringLevel);

private:
    juce::AudioIODeviceType* chooseDeviceType() const;
    double chooseSampleRate() const;
    void collectDeviceLists();
    void fillRing (int n);
    void updatePeaks (float* const* outputs, int count, int frames);

    AudioDeviceSettings settings;
    juce::OwnedArray<juce::AudioIODeviceType> types;

    PreviewPlayer previewPlayer;
    SamplePlayer samplePlayer;
    std::unique_ptr<juce::AudioIODevice> device;
    std::unique_ptr<CRealTimeFsConverterPcmOutput> converter;
    std::unique_ptr<PcmRingBuffer> ring;
    double deviceRate = mixRate;

    juce::AudioBuffer<float> mix, scratch, converted, ringOutput;

    juce::Array<int> bufferSizes;
    juce::Array<double> sampleRates;
    juce::StringArray pairNames;
    std::atomic<float> peakLevels[2] { { -60.0f }, { -60.0f } };
};

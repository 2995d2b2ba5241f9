#include "audio/playback/AudioEngine.h"

#include "audio/playback/DecibelTable.h"
#include "audio/playback/X3872AudioDeviceManager.h"

namespace
{
// The types a fresh setting picks: the platform's default ones.
const juce::StringArray defaultTypeNames { "DirectSound", "CoreAudio", "ALSA" };
}

juce::OwnedArray<juce::AudioIODeviceType> AudioEngine::createPlatformDeviceTypes()
{
    juce::OwnedArray<juce::AudioIODeviceType> types;
    types.add (juce::AudioIODeviceType::createAudioIODeviceType_ALSA());
    types.add (juce::AudioIODeviceType::createAudioIODeviceType_JACK());
    types.removeObject (nullptr);

    for (auto* type : types)
        type->scanForDevices();
    return types;
}

AudioEngine::AudioEngine (const AudioDeviceSettings& initialSettings,
                          juce::OwnedArray<juce::AudioIODeviceType> deviceTypes)
    : settings (initialSettings)
{
    types.swapWith (deviceTypes);
    prepareForDevice (mixRate, 512);
}

AudioEngine::~AudioEngine()
{
    closeDevice();
}

juce::StringArray AudioEngine::getDeviceTypeNames() const
{
    juce::StringArray names;
    for (auto* type : types)
        names.add (type->getTypeName());
    return names;
}

juce::StringArray AudioEngine::getDeviceNames (const juce::String& typeName) const
{
    for (auto* type : types)
        if (type->getTypeName() == typeName)
            return type->getDeviceNames (false);
    return {};
}

juce::AudioIODeviceType* AudioEngine::chooseDeviceType() const
{
    for (auto* type : types)
    {
        const bool chosen = settings.useDefaultDeviceType() ? defaultTypeNames.contains (type->getTypeName())
                                                            : type->getTypeName() == settings.getDeviceType();
        if (chosen)
            return type;
    }
    return nullptr;
}

double AudioEngine::chooseSampleRate() const
{
    if (! settings.useDefaultSampleRate())
        return settings.getSampleRate();

    const auto rates = device->getAvailableSampleRates();
    for (double preferred : { 48000.0, 44100.0 })
        if (rates.contains (preferred))
            return preferred;
    return rates.isEmpty() ? mixRate : rates.getFirst();
}

juce::String AudioEngine::openDevice()
{
    closeDevice();
    bufferSizes.clear();
    sampleRates.clear();
    pairNames.clear();

    auto* type = chooseDeviceType();
    if (type == nullptr)
        return "Error_AudioNotFoundDeviceType";

    juce::String deviceName = settings.getDeviceName();
    if (! settings.useDefaultDeviceName())
    {
        if (deviceName.isEmpty())
            return {};
    }
    else
    {
        const auto names = type->getDeviceNames (false);
        deviceName = names[type->getDefaultDeviceIndex (false)];
    }

    device.reset (type->createDevice (deviceName, {}));
    if (device == nullptr)
        return "Error_AudioFailedToCreateAudioDevice";

    const int pair = settings.useDefaultOutputChannel() ? 0 : settings.getOutputChannel();
    const int bufferSize = settings.useDefaultBufferSize() ? device->getDefaultBufferSize() : settings.getBufferSize();
    const double rate = chooseSampleRate();

    juce::BigInteger outputs;
    outputs.setRange (pair * 2, 2, true);
    const auto error = device->open ({}, outputs, rate, bufferSize);

    if (error.isNotEmpty() || ! device->isOpen())
    {
        device.reset();
        return "Error_AudioFailedToOpenAudioDevice";
    }

    collectDeviceLists();
    peakLevels[0] = peakLevels[1] = DecibelTable::floorDb;
    device->start (this);

    settings.setDeviceType (type->getTypeName());
    settings.setDeviceName (device->getName());
    settings.setBufferSize (device->getCurrentBufferSizeSamples());
    settings.setOutputChannel (pair);
    settings.setSampleRate (rate);
    return {};
}

void AudioEngine::collectDeviceLists()
{
    const auto sizes = device->getAvailableBufferSizes();
    if (sizes.size() == 1)
        bufferSizes.add (device->getDefaultBufferSize());
    else
        bufferSizes = sizes;

    sampleRates = device->getAvailableSampleRates();

    const auto names = device->getOutputChannelNames();
    for (int i = 0; i + 1 < names.size(); i += 2)
        pairNames.add (names[i] + " / " + names[i + 1]);
}

void AudioEngine::closeDevice()
{
    closeAudioDevice (device);
}

juce::String AudioEngine::selectDeviceType (const juce::String& name)
{
    closeDevice();
    settings.setDeviceType (name);
    settings.setUseDefaultDeviceType (false);
    settings.setDeviceName ({});
    settings.setUseDefaultDeviceName (false);
    settings.resetOutputSettings();
    return openDevice();
}

juce::String AudioEngine::selectDevice (const juce::String& name)
{
    closeDevice();
    settings.setDeviceName (name);
    settings.setUseDefaultDeviceName (false);
    settings.resetOutputSettings();
    return openDevice();
}

juce::String AudioEngine::selectOutputChannel (int pair)
{
    closeDevice();
    settings.setOutputChannel (pair);
    settings.setUseDefaultOutputChannel (false);
    return openDevice();
}

juce::String AudioEngine::selectBufferSize (int frames)
{
    closeDevice();
    settings.setBufferSize (frames);
    settings.setUseDefaultBufferSize (false);
    return openDevice();
}

juce::String AudioEngine::selectSampleRate (double rate)
{
    if (rate == settings.getSampleRate())
        return {};

    closeDevice();
    settings.setSampleRate (rate);
    settings.setUseDefaultSampleRate (false);
    settings.setUseDefaultBufferSize (true);
    settings.setBufferSize (0);
    return openDevice();
}

//==============================================================================
void AudioEngine::audioDeviceAboutToStart (juce::AudioIODevice* startingDevice)
{
    prepareForDevice (startingDevice->getCurrentSampleRate(), startingDevice->getCurrentBufferSizeSamples());
}

void AudioEngine::prepareForDevice (double rate, int bufferSize)
{
    deviceRate = rate;
    ring = std::make_unique<PcmRingBuffer> (bufferSize + ringReserve, 2);
    converter = std::make_unique<CRealTimeFsConverterPcmOutput> (2);
    converter->setRates ((int) mixRate, (int) rate);
    converter->reset();

    const int maxMixFrames = framesToRender (bufferSize + ringReserve, rate, 0) + 8;
    mix.setSize (2, maxMixFrames);
    scratch.setSize (2, maxMixFrames);
    converted.setSize (2, converter->getMaxOutputFrames (maxMixFrames) + 8);
    ringOutput.setSize (2, bufferSize + ringReserve);

    const int playerBlock = (int) ((juce::int64) bufferSize * (int) mixRate / (int) rate);
    samplePlayer.prepare (mixRate, playerBlock);
    previewPlayer.prepare (mixRate, playerBlock);
}

int AudioEngine::framesToRender (int n, double rate, int ringLevel)
{
    const int r = (int) rate;
    int frames = (int) ((juce::int64) n * (int) mixRate / r);
    if (ringLevel <= lowRingLevel)
        frames += (int) ((juce::int64) topUpFrames * (int) mixRate / r);
    return frames / 8 * 8;
}

void AudioEngine::audioDeviceIOCallbackWithContext (const float* const*, int, float* const* outputs, int numOutputs,
                                                    int frames, const juce::AudioIODeviceCallbackContext&)
{
    float* targets[2] = {};
    int count = 0;
    for (int i = 0; i < numOutputs && count < 2; ++i)
        if (outputs[i] != nullptr)
            targets[count++] = outputs[i];

    if (count == 0)
        return;

    for (int c = 0; c < count; ++c)
        juce::FloatVectorOperations::clear (targets[c], frames);

    if (ring != nullptr && frames < ring->getCapacity())
    {
        fillRing (frames);

        if (ring->getLevel() >= frames)
        {
            ring->read (ringOutput.getArrayOfWritePointers(), frames);
            for (int c = 0; c < count; ++c)
                juce::FloatVectorOperations::copy (targets[c], ringOutput.getReadPointer (c), frames);
        }
    }

    updatePeaks (targets, count, frames);
}

void AudioEngine::fillRing (int n)
{
    if (ring->getLevel() >= n)
        return;

    const int frames = juce::jmin (framesToRender (n, deviceRate, ring->getLevel()), mix.getNumSamples() / 8 * 8);
    mix.clear (0, frames);

    for (AudioPlayerBase* player : { static_cast<AudioPlayerBase*> (&samplePlayer),
                                     static_cast<AudioPlayerBase*> (&previewPlayer) })
    {
        if (! player->isPlaying())
            continue;

        player->render (scratch.getArrayOfWritePointers(), 2, frames);
        for (int c = 0; c < 2; ++c)
            mix.addFrom (c, 0, scratch, c, 0, frames);
    }

    mix.applyGain (0, frames, mixGain);

    const int produced = converter->process (mix.getArrayOfWritePointers(), converted.getArrayOfWritePointers(), frames);
    ring->write (converted.getArrayOfReadPointers(), juce::jmin (produced, ring->getFreeSpace()));
}

void AudioEngine::updatePeaks (float* const* outputs, int count, int frames)
{
    for (int c = 0; c < count; ++c)
    {
        DecibelTable::raiseHeldPeak (peakLevels[c], DecibelTable::peakOf (outputs[c], frames));
    }
}

float AudioEngine::takePeakLevel (int channel)
{
    return peakLevels[channel & 1].exchange (DecibelTable::floorDb);
}

#include "gui/preferences/AudioPreferencesComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "audio/playback/AudioEngine.h"
#include "resources/CZQVResource.h"
#include "resources/MessageBoxes.h"

namespace
{
constexpr const char* noDevice = "---";
}

AudioPreferencesComponent::AudioPreferencesComponent (AudioEngine* audioEngine)
    : PreferencesBaseComponent ("AudioPreferences"), engine (audioEngine)
{
    setUpRow (typeLabel, "Preferences_Audio_DeviceType", typeBox, 16, 232);
    setUpRow (nameLabel, "Preferences_Audio_DeviceName", nameBox, 56, 232);
    setUpRow (channelLabel, "Preferences_Audio_OutputChannel", channelBox, 120, 232);
    setUpRow (rateLabel, "Preferences_Audio_SampleRate", rateBox, 160, 230);
    setUpRow (sizeLabel, "Preferences_Audio_BufferSize", sizeBox, 200, 230);

    controlPanelButton.setButtonText (CZQVResource::text ("Preferences_Audio_ControlPanel"));
    controlPanelButton.setBounds (258, 80, 118, 24);
    controlPanelButton.onClick = [this] { showControlPanel(); };
    addChildComponent (controlPanelButton);

    typeBox.onChange = [this] { applied (engine->selectDeviceType (typeNames[typeBox.getSelectedItemIndex()])); };
    nameBox.onChange = [this]
    {
        // The first item, "---", stands for no device; the names follow it.
        applied (engine->selectDevice (deviceNames[nameBox.getSelectedItemIndex() - 1]));
    };
    channelBox.onChange = [this] { applied (engine->selectOutputChannel (channelBox.getSelectedItemIndex())); };
    rateBox.onChange = [this] { applied (engine->selectSampleRate (rates[rateBox.getSelectedItemIndex()])); };
    sizeBox.onChange = [this] { applied (engine->selectBufferSize (sizes[sizeBox.getSelectedItemIndex()])); };

    setSize (400, 250);
    refill();
}

void AudioPreferencesComponent::setUpRow (PlainLabel& label, const juce::String& textKey, CustomComboBox& box,
                                          int y, int boxWidth)
{
    label.setText (CZQVResource::text (textKey), juce::dontSendNotification);
    label.setBounds (8, y, 136, 24);
    addAndMakeVisible (label);

    styleValueBox (box);
    box.setBounds (144, y, boxWidth, 24);
    addAndMakeVisible (box);
}

juce::String AudioPreferencesComponent::rateText (double rate)
{
    return juce::String (rate / 1000.0, 1) + " kHz";
}

void AudioPreferencesComponent::refill()
{
    if (engine == nullptr)
        return;

    typeNames = engine->getDeviceTypeNames();
    typeBox.clear (juce::dontSendNotification);
    typeBox.addItemList (typeNames, 1);
    typeBox.setSelectedItemIndex (typeNames.indexOf (engine->getSettings().getDeviceType()), juce::dontSendNotification);

    fillDeviceNames (typeBox.getText());

    if (nameBox.getSelectedItemIndex() > 0 && engine->getDevice() != nullptr)
        fillDeviceOptions();
}

void AudioPreferencesComponent::fillDeviceNames (const juce::String& typeName)
{
    deviceNames = engine->getDeviceNames (typeName);
    nameBox.clear (juce::dontSendNotification);
    nameBox.addItem (noDevice, 1);
    nameBox.addItemList (deviceNames, 2);

    for (auto* box : { &channelBox, &rateBox, &sizeBox })
        box->clear (juce::dontSendNotification);
    rates.clear();
    sizes.clear();
    controlPanelButton.setVisible (false);

    // The ASIO driver's panel sets its buffer size.
    const bool sizeChoosable = typeName != "ASIO";
    sizeBox.setVisible (sizeChoosable);
    sizeLabel.setVisible (sizeChoosable);

    const auto stored = engine->getSettings().getDeviceName();
    nameBox.setSelectedItemIndex (stored.isEmpty() ? 0 : deviceNames.indexOf (stored) + 1, juce::dontSendNotification);
}

void AudioPreferencesComponent::fillDeviceOptions()
{
    const auto& settings = engine->getSettings();

    controlPanelButton.setVisible (engine->getDevice()->hasControlPanel());

    channelBox.addItemList (engine->getOutputChannelPairNames(), 1);
    channelBox.setSelectedItemIndex (settings.getOutputChannel(), juce::dontSendNotification);

    for (auto rate : engine->getSampleRates())
    {
        if (rate > highestRate)
            continue;
        rates.add (rate);
        rateBox.addItem (rateText (rate), rates.size());
    }
    rateBox.setSelectedItemIndex (rates.indexOf (settings.getSampleRate()), juce::dontSendNotification);

    sizes = engine->getBufferSizes();
    for (int i = 0; i < sizes.size(); ++i)
        sizeBox.addItem (juce::String (sizes[i]), i + 1);
    sizeBox.setSelectedItemIndex (sizes.indexOf (settings.getBufferSize()), juce::dontSendNotification);
}

void AudioPreferencesComponent::applied (const juce::String& errorKey)
{
    if (errorKey.isNotEmpty())
        MessageBoxes::errorBox (errorKey);

    refill();
    MessageEngine::broadcast (MessageIds::preferencesChanged);
}

// A change in the panel takes effect when the device opens again.
void AudioPreferencesComponent::showControlPanel()
{
    auto* device = engine->getDevice();

    if (device != nullptr && device->showControlPanel())
    {
        engine->closeDevice();
        engine->openDevice();
        MessageEngine::broadcast (MessageIds::preferencesChanged);
    }
}

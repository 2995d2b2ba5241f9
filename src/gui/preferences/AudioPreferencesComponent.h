#pragma once

#include "gui/preferences/PreferencesBaseComponent.h"
#include "gui/widgets/CustomComboBox.h"
#include "gui/widgets/PlainLabel.h"

class AudioEngine;

// The audio output of the sample and preview players: device type, device,
// output pair, sampling rate and buffer size. Each choice goes to the
// engine at once, which reopens the device; the page then shows the
// engine's lists and stored settings again and posts message 4. A failure's
// message is shown once.
class AudioPreferencesComponent : public PreferencesBaseComponent
{
public:
    // Rates above this are not offered: the players mix at 48 kHz.
    static constexpr double highestRate = 48000.0;

    // The engine must outlive the page; without one the boxes stay empty.
    explicit AudioPreferencesComponent (AudioEngine* engine);

    // The boxes from the engine's lists and stored settings.
    void refill();

    // "44.1 kHz", "48.0 kHz".
    static juce::String rateText (double rate);

private:
    void setUpRow (PlainLabel& label, const juce::String& textKey, CustomComboBox& box, int y, int boxWidth);
    void fillDeviceNames (const juce::String& typeName);
    void fillDeviceOptions();
    void applied (const juce::String& errorKey);
    void showControlPanel();

    AudioEngine* const engine;
    PlainLabel typeLabel, nameLabel, channelLabel, rateLabel, sizeLabel;
    CustomComboBox typeBox { "DeviceType" }, nameBox { "DeviceName" }, channelBox { "OutputChannel" },
                   rateBox { "SampleRate" }, sizeBox { "BufferSize" };
    juce::TextButton controlPanelButton { "ControlPanel" };

    // What the boxes show, in box order.
    juce::StringArray typeNames, deviceNames;
    juce::Array<double> rates;
    juce::Array<int> sizes;
};

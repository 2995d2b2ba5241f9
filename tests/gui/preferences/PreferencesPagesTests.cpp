#include "gui/main/MainWindowTestSupport.h"

#include "app/MessageIds.h"
#include "commands/CommandIds.h"
#include "gui/preferences/AudioPreferencesComponent.h"
#include "gui/preferences/CommonPreferencesComponent.h"
#include "gui/preferences/GlobalEditPage.h"

#include <gtest/gtest.h>

using namespace DialogTestSupport;

namespace
{
juce::ComboBox& boxNamed (juce::Component& page, const juce::String& name)
{
    return *dynamic_cast<juce::ComboBox*> (findNamed (page, name));
}

juce::StringArray itemsOf (juce::ComboBox& box)
{
    juce::StringArray items;
    for (int i = 0; i < box.getNumItems(); ++i)
        items.add (box.getItemText (i));
    return items;
}

// A device with four outputs, three rates and two buffer sizes; the device
// named "Broken" does not open.
struct FakeDevice : juce::AudioIODevice
{
    FakeDevice (const juce::String& name, const juce::String& type) : juce::AudioIODevice (name, type) {}

    juce::StringArray getOutputChannelNames() override { return { "1", "2", "3", "4" }; }
    juce::StringArray getInputChannelNames() override { return {}; }
    juce::Array<double> getAvailableSampleRates() override { return { 44100.0, 48000.0, 96000.0 }; }
    juce::Array<int> getAvailableBufferSizes() override { return { 256, 512 }; }
    int getDefaultBufferSize() override { return 512; }
    juce::String open (const juce::BigInteger&, const juce::BigInteger&, double rate, int size) override
    {
        if (getName() == "Broken")
            return "refused";
        opened = true, currentRate = rate, currentSize = size;
        return {};
    }
    void close() override { opened = false; }
    bool isOpen() override { return opened; }
    void start (juce::AudioIODeviceCallback*) override {}
    void stop() override {}
    bool isPlaying() override { return opened; }
    juce::String getLastError() override { return {}; }
    int getCurrentBufferSizeSamples() override { return currentSize; }
    double getCurrentSampleRate() override { return currentRate; }
    int getCurrentBitDepth() override { return 16; }
    juce::BigInteger getActiveOutputChannels() const override { return 3; }
    juce::BigInteger getActiveInputChannels() const override { return 0; }
    int getOutputLatencyInSamples() override { return 0; }
    int getInputLatencyInSamples() override { return 0; }

    bool opened = false;
    double currentRate = 0.0;
    int currentSize = 0;
};

struct FakeDeviceType : juce::AudioIODeviceType
{
    explicit FakeDeviceType (const juce::String& name) : juce::AudioIODeviceType (name) {}

    void scanForDevices() override {}
    juce::StringArray getDeviceNames (bool) const override { return { "Fake Out", "Broken" }; }
    int getDefaultDeviceIndex (bool) const override { return 0; }
    int getIndexOfDevice (juce::AudioIODevice* device, bool) const override { return getDeviceNames (false).indexOf (device->getName()); }
    bool hasSeparateInputsAndOutputs() const override { return false; }
    juce::AudioIODevice* createDevice (const juce::String& output, const juce::String&) override
    {
        return new FakeDevice (output, getTypeName());
    }
};

struct AudioPageTest : ::testing::Test
{
    EnglishResource english;
    CommandTestSupport::CommandBench bench;
    std::unique_ptr<AudioEngine> engine;
    std::unique_ptr<AudioPreferencesComponent> page;

    AudioPageTest()
    {
        juce::OwnedArray<juce::AudioIODeviceType> types;
        types.add (new FakeDeviceType ("Fake"));
        types.add (new FakeDeviceType ("ASIO"));
        juce::XmlElement settings (AudioDeviceSettings::elementName);
        engine = std::make_unique<AudioEngine> (AudioDeviceSettings (settings), std::move (types));
        engine->selectDeviceType ("Fake");
        page = std::make_unique<AudioPreferencesComponent> (engine.get());
    }

    juce::ComboBox& box (const juce::String& name) { return boxNamed (*page, name); }

    void choose (const juce::String& boxName, const juce::String& item)
    {
        auto& b = box (boxName);
        b.setSelectedItemIndex (itemsOf (b).indexOf (item), juce::sendNotificationSync);
    }
};
}

TEST_F (AudioPageTest, ADeviceOffersItsPairsRatesUpTo48kHzAndSizes)
{
    EXPECT_EQ (itemsOf (box ("DeviceType")), juce::StringArray ({ "Fake", "ASIO" }));
    EXPECT_EQ (itemsOf (box ("DeviceName")), juce::StringArray ({ "---", "Fake Out", "Broken" }));
    EXPECT_EQ (box ("DeviceName").getText(), "---");

    choose ("DeviceName", "Fake Out");
    EXPECT_NE (engine->getDevice(), nullptr);
    EXPECT_EQ (itemsOf (box ("OutputChannel")), juce::StringArray ({ "1 / 2", "3 / 4" }));
    EXPECT_EQ (itemsOf (box ("SampleRate")), juce::StringArray ({ "44.1 kHz", "48.0 kHz" }));
    EXPECT_EQ (box ("SampleRate").getText(), "48.0 kHz");
    EXPECT_EQ (itemsOf (box ("BufferSize")), juce::StringArray ({ "256", "512" }));

    choose ("SampleRate", "44.1 kHz");
    EXPECT_EQ (engine->getDevice()->getCurrentSampleRate(), 44100.0);
    choose ("BufferSize", "256");
    EXPECT_EQ (engine->getDevice()->getCurrentBufferSizeSamples(), 256);
    EXPECT_EQ (box ("BufferSize").getText(), "256");
}

TEST_F (AudioPageTest, NoDeviceOpensNothingAndAFailureIsShownOnce)
{
    choose ("DeviceName", "Fake Out");
    choose ("DeviceName", "---");
    EXPECT_EQ (engine->getDevice(), nullptr);
    for (auto* name : { "OutputChannel", "SampleRate", "BufferSize" })
        EXPECT_EQ (box (name).getNumItems(), 0) << name;
    EXPECT_TRUE (bench.boxes.getShown().empty());

    choose ("DeviceName", "Broken");
    ASSERT_EQ (bench.boxes.getShown().size(), 1u);
    EXPECT_EQ (bench.boxes.getShown()[0].key, "Error_AudioFailedToOpenAudioDevice");
}

TEST_F (AudioPageTest, TheAsioTypeHidesTheBufferSize)
{
    choose ("DeviceType", "ASIO");
    EXPECT_FALSE (box ("BufferSize").isVisible());
    choose ("DeviceType", "Fake");
    EXPECT_TRUE (box ("BufferSize").isVisible());
}

TEST (CommonPreferences, StoresEachChoiceAndShowsStoredValues)
{
    const EnglishResource english;
    CommandTestSupport::CommandBench bench;
    CommandTestSupport::BroadcastRecorder recorder;
    auto& preferences = *bench.preferences.get();
    CommonPreferencesComponent page;

    boxNamed (page, "KnobMode").setSelectedItemIndex (1, juce::sendNotificationSync);
    EXPECT_EQ (preferences.getNumber (PreferencesData::knobMode), 1);
    ASSERT_TRUE (recorder.waitFor (MessageIds::preferencesChanged));

    auto& warning = *dynamic_cast<juce::Button*> (findNamed (page, "WarnBeforeWriting"));
    const bool before = preferences.getFlag (PreferencesData::warningBeforeWriting);
    click (warning);
    EXPECT_EQ (preferences.getFlag (PreferencesData::warningBeforeWriting), ! before);

    preferences.setNumber (PreferencesData::knobMode, 0);
    MessageEngine::broadcast (MessageIds::preferencesChanged);
    deliverPosted();
    EXPECT_EQ (boxNamed (page, "KnobMode").getText(), "Linear");
}

TEST (GlobalEditPage, ABoxSetsItsBitsOnlyAndTheShownOnlyValuesFollowTheData)
{
    MainWindowBench window;
    auto& global = window.bench.dataCenter->getGlobalData();
    GlobalEditPage page (window.bench, window.commandManager);
    ASSERT_EQ (global.getImage()[0], 0x46);   // Rec 1, Auto backlight, stereo, pattern end

    boxNamed (page, "Pattern change mode").setSelectedItemIndex (1, juce::sendNotificationSync);
    EXPECT_EQ (global.getImage()[0], 0x47);

    // Memory protect on (byte 0 bit 4), routing "MIDI" (byte 3 bits 3-2).
    GlobalData::Image received = global.getImage();
    received[0] |= 0x10;
    received[3] = (uint8_t) ((received[3] & ~0x0c) | 0x08);
    global.setImage (received.data(), received.size());
    MessageEngine::broadcast (MessageIds::dataChanged);
    deliverPosted();

    auto& protect = *dynamic_cast<juce::Button*> (findNamed (page, "Memory protect"));
    EXPECT_TRUE (protect.getToggleState());
    EXPECT_FALSE (protect.isEnabled());
    EXPECT_EQ (boxNamed (page, "MIDI Routing").getText(), "MIDI");
    EXPECT_FALSE (boxNamed (page, "MIDI Routing").isEnabled());

    const auto menu = page.createFileMenu();
    juce::Array<int> items;
    for (juce::PopupMenu::MenuItemIterator i (menu); i.next();)
        items.add (i.getItem().isSeparator ? 0 : i.getItem().itemID);
    EXPECT_EQ (items, juce::Array<int> ({ CommandIds::initGlobal, 0, CommandIds::loadGlobal, CommandIds::saveGlobal }));
}

#include "gui/dialogs/DialogTestSupport.h"
#include "support/JackTestServer.h"

#include "audio/playback/AudioEngine.h"
#include "gui/preferences/AudioPreferencesComponent.h"

#include <gtest/gtest.h>

using namespace DialogTestSupport;

TEST (AudioPreferencesOnJack, ListsAndSelectsTheJackDevice)
{
    JackTestServer server;
    PLOVARA_REQUIRE_JACK (server)
    const EnglishResource english;

    juce::OwnedArray<juce::AudioIODeviceType> types;
    types.add (JackTestServer::createDeviceType().release());
    AudioEngine engine (AudioDeviceSettings (juce::XmlElement (AudioDeviceSettings::elementName)), std::move (types));
    engine.selectDeviceType ("JACK");
    AudioPreferencesComponent page (&engine);

    auto& typeBox = *dynamic_cast<juce::ComboBox*> (findNamed (page, "DeviceType"));
    auto& nameBox = *dynamic_cast<juce::ComboBox*> (findNamed (page, "DeviceName"));
    auto& rateBox = *dynamic_cast<juce::ComboBox*> (findNamed (page, "SampleRate"));
    EXPECT_EQ (typeBox.getText(), "JACK");
    ASSERT_EQ (nameBox.getItemText (0), "---");
    ASSERT_EQ (nameBox.getItemText (1), "system");

    nameBox.setSelectedItemIndex (1, juce::sendNotificationSync);
    ASSERT_NE (engine.getDevice(), nullptr);
    EXPECT_TRUE (engine.getDevice()->isPlaying());
    EXPECT_EQ (nameBox.getText(), "system");
    EXPECT_EQ (rateBox.getText(), "48.0 kHz");
}

#include "gui/preferences/CommonPreferencesComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "prefs/PreferencesData.h"
#include "resources/CZQVResource.h"

CommonPreferencesComponent::CommonPreferencesComponent()
    : PreferencesBaseComponent ("CommonPreferences")
{
    knobModeLabel.setText (CZQVResource::text ("Preferences_Common_KnobMode"), juce::dontSendNotification);
    knobModeLabel.setBounds (16, 16, 120, 24);
    addAndMakeVisible (knobModeLabel);

    styleValueBox (knobModeBox);
    knobModeBox.addItem (CZQVResource::text ("Preferences_Common_KnobMode_Linear"), 1);
    knobModeBox.addItem (CZQVResource::text ("Preferences_Common_KnobMode_Circular"), 2);
    knobModeBox.setBounds (144, 16, 150, 24);
    knobModeBox.onChange = [this]
    {
        store ([mode = knobModeBox.getSelectedItemIndex()] (PreferencesData& p) { p.setNumber (PreferencesData::knobMode, mode); });
    };
    addAndMakeVisible (knobModeBox);

    warningToggle.setName ("WarnBeforeWriting");
    warningToggle.setButtonText (CZQVResource::text ("Preferences_Common_WarnBeforeWriting"));
    warningToggle.setBounds (16, 56, 328, 24);
    warningToggle.onClick = [this]
    {
        store ([on = warningToggle.getToggleState()] (PreferencesData& p) { p.setFlag (PreferencesData::warningBeforeWriting, on); });
    };
    addAndMakeVisible (warningToggle);

    setSize (590, 300);
    refresh();
}

void CommonPreferencesComponent::refresh()
{
    if (auto* preferences = PreferencesData::getInstancePointer())
    {
        knobModeBox.setSelectedItemIndex (preferences->getNumber (PreferencesData::knobMode), juce::dontSendNotification);
        warningToggle.setToggleState (preferences->getFlag (PreferencesData::warningBeforeWriting), juce::dontSendNotification);
    }
}

void CommonPreferencesComponent::handleBroadcast (int messageId)
{
    if (messageId == MessageIds::preferencesChanged)
        refresh();
}

void CommonPreferencesComponent::store (const std::function<void (PreferencesData&)>& change)
{
    if (auto* preferences = PreferencesData::getInstancePointer())
    {
        change (*preferences);
        MessageEngine::broadcast (MessageIds::preferencesChanged);
    }
}

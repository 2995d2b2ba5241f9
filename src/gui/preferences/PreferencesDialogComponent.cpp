#include "gui/preferences/PreferencesDialogComponent.h"

#include "audio/playback/AudioPlayerManager.h"
#include "commands/CommandContext.h"
#include "gui/preferences/AudioPreferencesComponent.h"
#include "gui/preferences/CommonPreferencesComponent.h"
#include "gui/preferences/GlobalEditPage.h"
#include "resources/CZQVResource.h"

PreferencesDialogComponent::PreferencesDialogComponent (CommandContext& context, juce::ApplicationCommandManager& commands,
                                                        juce::ApplicationCommandTarget& actionTarget)
    : CommandForwarder (actionTarget)
{
    auto* players = context.getPlayerManager();
    const auto white = juce::Colours::white;

    tabs.setTabBarDepth (28);
    tabs.addTab (CZQVResource::text ("Preferences_Tab_Common"), white, new CommonPreferencesComponent(), true);
    tabs.addTab (CZQVResource::text ("Preferences_Tab_AudioDevice"), white,
                 new AudioPreferencesComponent (players != nullptr ? &players->getEngine() : nullptr), true);
    tabs.addTab (CZQVResource::text ("Preferences_Tab_Global"), white, new GlobalEditPage (context, commands), true);
    tabs.setCurrentTabIndex (0);
    tabs.setBounds (8, 0, 592, 400);
    addAndMakeVisible (tabs);

    setSize (contentWidth, contentHeight);
}

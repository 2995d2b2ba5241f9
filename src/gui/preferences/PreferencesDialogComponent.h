#pragma once

#include "gui/widgets/CommandForwarder.h"

#include <juce_gui_basics/juce_gui_basics.h>

class CommandContext;

// The content of the preferences window: the tabs of the common, audio
// device and global setting pages. In the command chain it hands every
// command on to the action manager.
class PreferencesDialogComponent : public juce::Component,
                                   public CommandForwarder
{
public:
    static constexpr int contentWidth = 605;
    static constexpr int contentHeight = 405;

    // All must outlive the component.
    PreferencesDialogComponent (CommandContext& context, juce::ApplicationCommandManager& commands,
                                juce::ApplicationCommandTarget& actionTarget);

    juce::TabbedComponent& getTabs() { return tabs; }

private:
    juce::TabbedComponent tabs { juce::TabbedButtonBar::TabsAtTop };
};

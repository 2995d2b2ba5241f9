#pragma once

#include "gui/widgets/CommandForwarder.h"

#include <juce_gui_basics/juce_gui_basics.h>

class CommandContext;

// The content of the bank memory window: the tabs of the backup, restore,
// receive bank and write bank pages. In the command chain it hands every
// command on to the action manager, so the program's keys work while the
// window has the focus.
class BankMemoryMainComponent : public juce::Component,
                                public CommandForwarder
{
public:
    static constexpr int contentWidth = 520;
    static constexpr int contentHeight = 440;

    // All must outlive the component.
    BankMemoryMainComponent (CommandContext& context, juce::ApplicationCommandManager& commands,
                             juce::ApplicationCommandTarget& actionTarget);

    juce::TabbedComponent& getTabs() { return tabs; }

private:
    juce::TabbedComponent tabs { juce::TabbedButtonBar::TabsAtTop };
};

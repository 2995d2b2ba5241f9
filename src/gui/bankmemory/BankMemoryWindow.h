#pragma once

#include "gui/bankmemory/BankMemoryMainComponent.h"
#include "gui/widgets/ToolWindow.h"

// The window of the bank memory commands. Its close button sends message 12.
class BankMemoryWindow : public ToolWindow
{
public:
    // All must outlive the window. It is shown and brought to the front.
    BankMemoryWindow (CommandContext& context, juce::ApplicationCommandManager& commands,
                      juce::ApplicationCommandTarget& actionTarget);

    BankMemoryMainComponent& getMainComponent() { return content; }

private:
    BankMemoryMainComponent content;
};

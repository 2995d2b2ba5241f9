#pragma once

#include "gui/preferences/PreferencesDialogComponent.h"
#include "gui/widgets/ToolWindow.h"

// The preferences window. Every control applies at once, so there is no OK
// or Cancel. Its close button sends message 10.
class PreferencesWindow : public ToolWindow
{
public:
    // All must outlive the window. It is shown and brought to the front.
    PreferencesWindow (CommandContext& context, juce::ApplicationCommandManager& commands,
                       juce::ApplicationCommandTarget& actionTarget);

    PreferencesDialogComponent& getDialogComponent() { return content; }

private:
    PreferencesDialogComponent content;
};

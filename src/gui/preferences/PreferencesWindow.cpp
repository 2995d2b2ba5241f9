#include "gui/preferences/PreferencesWindow.h"

#include "app/MessageIds.h"

PreferencesWindow::PreferencesWindow (CommandContext& context, juce::ApplicationCommandManager& commands,
                                      juce::ApplicationCommandTarget& actionTarget)
    : ToolWindow ("Preferences_DialogTitle", context, commands, MessageIds::preferencesWindowClosing),
      content (context, commands, actionTarget)
{
    setComponentID ("PreferencesWindow");
    show (content);
}

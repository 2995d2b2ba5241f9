#pragma once

#include "commands/CommandContext.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

// The menu bar: File, Edit, Communication and Help, built from the command
// manager's commands whenever a menu opens, so that menus, keys and
// enabling always agree. Some items depend on the page shown. The model
// watches the command manager, so a changed command list or state redraws
// the bar.
class MenuBarManager : public juce::MenuBarModel
{
public:
    enum MenuIndex { fileMenu = 0, editMenu, communicationMenu, helpMenu };

    // Both must outlive the manager.
    MenuBarManager (juce::ApplicationCommandManager& commandManager, CommandContext& context);
    ~MenuBarManager() override;

    // MenuBarModel
    juce::StringArray getMenuBarNames() override;
    juce::PopupMenu getMenuForIndex (int menuIndex, const juce::String& menuName) override;
    void menuItemSelected (int, int) override {}

private:
    // Items are command ids; 0 is a separator.
    juce::PopupMenu buildMenu (const std::vector<int>& items);
    int getCurrentPage() const;

    juce::ApplicationCommandManager& commands;
    CommandContext& context;
};

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class CommandContext;

// A window beside the main one (bank memory, preferences): white, with its
// own title bar, minimise and close buttons, not resizable, and the
// program's keys. Its close button asks the GuiController, by a broadcast,
// to delete it, but not while the GUI is busy.
class ToolWindow : public juce::DocumentWindow
{
public:
    void closeButtonPressed() override;

protected:
    // Both must outlive the window.
    ToolWindow (const juce::String& titleKey, CommandContext& context, juce::ApplicationCommandManager& commands,
                int closingMessageId);

    // The content, sized to fit, and the window shown in the middle of the
    // screen.
    void show (juce::Component& content);

private:
    CommandContext& context;
    const int closingMessageId;
};

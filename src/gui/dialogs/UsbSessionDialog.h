#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class UsbSessionDialogComponent;
class UsbSessionManager;

// The window of a running session: a UsbSessionDialogComponent in a window
// without title-bar buttons that fits its content. It is modal from the
// start, but nothing waits for it: the caller returns at once, the message
// loop goes on delivering the session's reports, and the window stays until
// its owner deletes it.
class UsbSessionDialog : public juce::DocumentWindow
{
public:
    // Titled with the text of the command that starts the session; centred
    // on the given component (on the screen when null).
    UsbSessionDialog (const juce::String& title, UsbSessionManager& manager, juce::Component* centreAround);
    ~UsbSessionDialog() override;

    UsbSessionDialogComponent& getContent() const;
};

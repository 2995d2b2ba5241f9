#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A window without title-bar buttons that lives for one modal run of a
// content component. The content ends the run by ending the window's modal
// state (through its top-level component) with the result.
class TempDialogWithNoCloseButton : public juce::DocumentWindow
{
public:
    // Shows the content, sized to fit, in a white window centred on the given
    // component (on the screen when null) and waits for the modal run to end.
    // The content is taken back out afterwards and stays the caller's.
    static int runModal (const juce::String& title, juce::Component& content, juce::Component* centreAround);

private:
    explicit TempDialogWithNoCloseButton (const juce::String& title);
};

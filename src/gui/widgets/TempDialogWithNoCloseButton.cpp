#include "gui/widgets/TempDialogWithNoCloseButton.h"

TempDialogWithNoCloseButton::TempDialogWithNoCloseButton (const juce::String& title)
    : juce::DocumentWindow (title, juce::Colours::white, 0)
{
    setResizable (false, false);
}

int TempDialogWithNoCloseButton::runModal (const juce::String& title, juce::Component& content, juce::Component* centreAround)
{
    TempDialogWithNoCloseButton window (title);
    window.setContentNonOwned (&content, true);
    window.centreAroundComponent (centreAround, window.getWidth(), window.getHeight());
    window.setVisible (true);

    const int result = window.runModalLoop();

    window.clearContentComponent();
    return result;
}

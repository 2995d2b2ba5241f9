#include "gui/dialogs/UsbSessionDialog.h"

#include "gui/dialogs/UsbSessionDialogComponent.h"

UsbSessionDialog::UsbSessionDialog (const juce::String& title, UsbSessionManager& manager, juce::Component* centreAround)
    : juce::DocumentWindow (title, juce::Colours::white, 0)
{
    setResizable (false, false);
    setContentOwned (new UsbSessionDialogComponent (manager), true);
    centreAroundComponent (centreAround, getWidth(), getHeight());
    setVisible (true);
    enterModalState (true);
}

UsbSessionDialog::~UsbSessionDialog()
{
    exitModalState (0);
}

UsbSessionDialogComponent& UsbSessionDialog::getContent() const
{
    return *static_cast<UsbSessionDialogComponent*> (getContentComponent());
}

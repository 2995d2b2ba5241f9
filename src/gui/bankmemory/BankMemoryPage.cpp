#include "gui/bankmemory/BankMemoryPage.h"

#include "resources/CZQVResource.h"

BankMemoryPage::BankMemoryPage (const juce::String& name, juce::ApplicationCommandManager& commands, const Layout& layout)
    : juce::Component (name)
{
    commandButton.setButtonText (CZQVResource::text (layout.buttonKey));
    commandButton.setCommandToTrigger (&commands, layout.commandId, false);
    commandButton.setBounds (layout.buttonBounds);
    addAndMakeVisible (commandButton);

    description.setMultiLine (true, true);
    description.setReadOnly (true);
    description.setScrollbarsShown (false);
    description.setCaretVisible (false);
    description.setPopupMenuEnabled (false);
    description.setColour (juce::TextEditor::backgroundColourId, juce::Colours::transparentWhite);
    description.setColour (juce::TextEditor::outlineColourId, juce::Colours::transparentWhite);
    description.setColour (juce::TextEditor::shadowColourId, juce::Colours::transparentWhite);
    description.setText (CZQVResource::text (layout.descriptionKey), false);
    description.setBounds (layout.descriptionBounds);
    addAndMakeVisible (description);

    setSize (pageWidth, pageHeight);
}

void BankMemoryPage::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
}

juce::String BankMemoryPage::bankTitle (const juce::String& headerKey, int bankIndex)
{
    return CZQVResource::text (headerKey) + juce::String ("ABCDEFGH").substring (bankIndex, bankIndex + 1);
}

#include "gui/bankmemory/BankMemoryWriteBankComponent.h"

#include "commands/CommandContext.h"
#include "commands/CommandIds.h"
#include "data/BankData.h"
#include "files/FileManager.h"

BankMemoryWriteBankComponent::BankMemoryWriteBankComponent (CommandContext& commandContext,
                                                            juce::ApplicationCommandManager& commands)
    : BankMemoryPage ("WriteBank", commands,
                      { CommandIds::bankMemoryWriteBank, "BankMemory_Button_Write", { 320, 280, 96, 24 },
                        "BankMemory_Write_Description", { 16, 320, 464, 72 } }),
      context (commandContext),
      selection (commandContext.getWriteSelection())
{
    for (int bank = 0; bank < BankSelectionState::numBanks; ++bank)
    {
        setUpRow (bank);
        showRow (bank);
    }
}

void BankMemoryWriteBankComponent::setUpRow (int bank)
{
    const int y = 16 + 32 * bank;
    auto& toggle = toggles[(size_t) bank];
    auto& fileBox = fileBoxes[(size_t) bank];
    auto& selector = selectors[(size_t) bank];

    toggle.setName ("bankToggle" + juce::String (bank));
    toggle.setBounds (16, y, 104, 24);
    toggle.onClick = [this, bank]
    {
        if (selection != nullptr)
            selection->setSelected (bank, toggles[(size_t) bank].getToggleState());
    };
    addAndMakeVisible (toggle);

    // Read-only, but the path can still be selected and copied.
    fileBox.setName ("file name");
    fileBox.setReadOnly (true);
    fileBox.setScrollbarsShown (true);
    fileBox.setCaretVisible (true);
    fileBox.setPopupMenuEnabled (true);
    fileBox.setBounds (120, y, 264, 24);
    addAndMakeVisible (fileBox);

    selector.setName ("selector");
    selector.setButtonText ("...");
    selector.setBounds (384, y, 32, 24);
    selector.onClick = [this, bank] { chooseFile (bank); };
    addAndMakeVisible (selector);
}

void BankMemoryWriteBankComponent::showRow (int bank)
{
    const bool selected = selection != nullptr && selection->isSelected (bank);
    const auto file = selection != nullptr ? selection->getFile (bank) : juce::File();
    const auto name = selection != nullptr ? selection->getDisplayName (bank) : juce::String();

    toggles[(size_t) bank].setToggleState (selected, juce::dontSendNotification);
    toggles[(size_t) bank].setButtonText (name.isNotEmpty() ? name : bankTitle ("BankMemory_Write_BankHeader", bank));
    fileBoxes[(size_t) bank].setText (file.getFullPathName(), false);
}

void BankMemoryWriteBankComponent::chooseFile (int bankIndex)
{
    auto* files = context.getFileManager();
    if (files == nullptr || selection == nullptr)
        return;

    const auto file = files->chooseBankFileToWrite();
    if (file == juce::File())
        return;

    // The file counts only once it read as a bank file; the failure's own
    // box comes from the reading.
    BankData bank;
    if (files->readBankFile (file, bank))
    {
        selection->setFile (bankIndex, file, bank.getName().trimEnd());
        selection->setSelected (bankIndex, true);
    }
    else
    {
        selection->setFile (bankIndex, {}, {});
        selection->setSelected (bankIndex, false);
    }

    showRow (bankIndex);
}

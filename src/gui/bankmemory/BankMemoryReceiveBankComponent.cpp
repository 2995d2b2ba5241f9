#include "gui/bankmemory/BankMemoryReceiveBankComponent.h"

#include "commands/CommandContext.h"
#include "commands/CommandIds.h"

BankMemoryReceiveBankComponent::BankMemoryReceiveBankComponent (CommandContext& context,
                                                                juce::ApplicationCommandManager& commands)
    : BankMemoryPage ("ReceiveBank", commands,
                      { CommandIds::bankMemoryReceiveBank, "BankMemory_Button_Receive", { 16, 216, 104, 24 },
                        "BankMemory_Receive_Description", { 16, 264, 464, 64 } }),
      selection (context.getReceiveSelection())
{
    for (int bank = 0; bank < BankSelectionState::numBanks; ++bank)
    {
        auto& toggle = toggles[(size_t) bank];
        const auto name = selection != nullptr ? selection->getFileName (bank) : juce::String();

        toggle.setName ("bankToggle" + juce::String (bank));
        toggle.setButtonText (name.isNotEmpty() ? name : bankTitle ("BankMemory_Receive_BankHeader", bank));
        toggle.setToggleState (selection != nullptr && selection->isSelected (bank), juce::dontSendNotification);
        toggle.setBounds (16, 16 + 24 * bank, 216, 24);
        toggle.onClick = [this, bank]
        {
            if (selection != nullptr)
                selection->setSelected (bank, toggles[(size_t) bank].getToggleState());
        };
        addAndMakeVisible (toggle);
    }
}

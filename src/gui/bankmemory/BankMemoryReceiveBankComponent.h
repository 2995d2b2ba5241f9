#pragma once

#include "device/BankSelectionState.h"
#include "gui/bankmemory/BankMemoryPage.h"

#include <array>

class CommandContext;

// The page that receives chosen banks from the device into bank files: one
// toggle per bank, kept in the Host's receive selection at once, so the
// choice outlives the window.
class BankMemoryReceiveBankComponent : public BankMemoryPage
{
public:
    // Both must outlive the page. Without a receive selection the toggles
    // show their banks and keep nothing.
    BankMemoryReceiveBankComponent (CommandContext& context, juce::ApplicationCommandManager& commands);

private:
    ReceiveBankSelectionState* const selection;
    std::array<juce::ToggleButton, BankSelectionState::numBanks> toggles;
};

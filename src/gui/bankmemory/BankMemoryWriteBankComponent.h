#pragma once

#include "device/BankSelectionState.h"
#include "gui/bankmemory/BankMemoryPage.h"

#include <array>

class CommandContext;

// The page that writes chosen bank files into the device's banks: per bank
// a toggle, the chosen file's path and a chooser. Every choice goes into
// the Host's write selection at once, so it outlives the window.
class BankMemoryWriteBankComponent : public BankMemoryPage
{
public:
    // Both must outlive the page. Without a write selection the rows stay
    // empty and keep nothing.
    BankMemoryWriteBankComponent (CommandContext& context, juce::ApplicationCommandManager& commands);

    // The chooser of a bank's file; the chosen file's bank name becomes the
    // row's title, and a file that does not read as a bank file clears the
    // row.
    void chooseFile (int bankIndex);

private:
    void setUpRow (int bankIndex);
    void showRow (int bankIndex);

    CommandContext& context;
    WriteBankSelectionState* const selection;
    std::array<juce::ToggleButton, BankSelectionState::numBanks> toggles;
    std::array<juce::TextEditor, BankSelectionState::numBanks> fileBoxes;
    std::array<juce::TextButton, BankSelectionState::numBanks> selectors;
};

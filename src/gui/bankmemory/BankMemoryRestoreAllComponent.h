#pragma once

#include "gui/bankmemory/BankMemoryPage.h"

// The page that writes a backup file back into the device's bank memory.
class BankMemoryRestoreAllComponent : public BankMemoryPage
{
public:
    explicit BankMemoryRestoreAllComponent (juce::ApplicationCommandManager& commands);
};

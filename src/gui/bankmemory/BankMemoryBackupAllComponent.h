#pragma once

#include "gui/bankmemory/BankMemoryPage.h"

// The page that backs the device's whole bank memory up into one file.
class BankMemoryBackupAllComponent : public BankMemoryPage
{
public:
    explicit BankMemoryBackupAllComponent (juce::ApplicationCommandManager& commands);
};

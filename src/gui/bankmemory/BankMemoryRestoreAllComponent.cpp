#include "gui/bankmemory/BankMemoryRestoreAllComponent.h"

#include "commands/CommandIds.h"

BankMemoryRestoreAllComponent::BankMemoryRestoreAllComponent (juce::ApplicationCommandManager& commands)
    : BankMemoryPage ("Restore", commands,
                      { CommandIds::bankMemoryRestore, "BankMemory_Button_Restore", { 16, 24, 112, 24 },
                        "BankMemory_Restore_Description", { 16, 64, 464, 64 } })
{
}

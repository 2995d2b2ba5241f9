#include "gui/bankmemory/BankMemoryBackupAllComponent.h"

#include "commands/CommandIds.h"

BankMemoryBackupAllComponent::BankMemoryBackupAllComponent (juce::ApplicationCommandManager& commands)
    : BankMemoryPage ("Backup", commands,
                      { CommandIds::bankMemoryBackup, "BankMemory_Button_Backup", { 16, 24, 112, 24 },
                        "BankMemory_Backup_Description", { 16, 64, 464, 64 } })
{
}

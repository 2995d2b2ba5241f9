#include "gui/bankmemory/BankMemoryMainComponent.h"

#include "gui/bankmemory/BankMemoryBackupAllComponent.h"
#include "gui/bankmemory/BankMemoryReceiveBankComponent.h"
#include "gui/bankmemory/BankMemoryRestoreAllComponent.h"
#include "gui/bankmemory/BankMemoryWriteBankComponent.h"
#include "resources/CZQVResource.h"

BankMemoryMainComponent::BankMemoryMainComponent (CommandContext& context, juce::ApplicationCommandManager& commands,
                                                  juce::ApplicationCommandTarget& nextTarget)
    : CommandForwarder (nextTarget)
{
    const auto white = juce::Colours::white;
    tabs.setTabBarDepth (27);
    tabs.addTab (CZQVResource::text ("BankMemory_Tab_Backup"), white, new BankMemoryBackupAllComponent (commands), true);
    tabs.addTab (CZQVResource::text ("BankMemory_Tab_Restore"), white, new BankMemoryRestoreAllComponent (commands), true);
    tabs.addTab (CZQVResource::text ("BankMemory_Tab_ReceiveBank"), white,
                 new BankMemoryReceiveBankComponent (context, commands), true);
    tabs.addTab (CZQVResource::text ("BankMemory_Tab_WriteBank"), white,
                 new BankMemoryWriteBankComponent (context, commands), true);
    tabs.setCurrentTabIndex (0);
    tabs.setBounds (8, 0, 504, 432);
    addAndMakeVisible (tabs);

    setSize (contentWidth, contentHeight);
}

#include "gui/bankmemory/BankMemoryWindow.h"

#include "app/MessageIds.h"

BankMemoryWindow::BankMemoryWindow (CommandContext& context, juce::ApplicationCommandManager& commands,
                                    juce::ApplicationCommandTarget& actionTarget)
    : ToolWindow ("BankMemory_DialogTitle", context, commands, MessageIds::bankMemoryWindowClosing),
      content (context, commands, actionTarget)
{
    setComponentID ("BankMemoryWindow");
    show (content);
}

#include "gui/widgets/ToolWindow.h"

#include "app/MessageEngine.h"
#include "commands/CommandContext.h"
#include "resources/CZQVResource.h"

ToolWindow::ToolWindow (const juce::String& titleKey, CommandContext& commandContext,
                        juce::ApplicationCommandManager& commands, int messageId)
    : juce::DocumentWindow (CZQVResource::text (titleKey), juce::Colours::white, minimiseButton | closeButton),
      context (commandContext),
      closingMessageId (messageId)
{
    setUsingNativeTitleBar (false);
    setResizable (false, false);
    addKeyListener (commands.getKeyMappings());
}

void ToolWindow::show (juce::Component& content)
{
    setContentNonOwned (&content, true);
    centreWithSize (getWidth(), getHeight());
    setVisible (true);
    toFront (true);
}

void ToolWindow::closeButtonPressed()
{
    auto* gui = context.getCommandGui();

    if (gui != nullptr && ! gui->isBusy())
        MessageEngine::broadcast (closingMessageId);
}

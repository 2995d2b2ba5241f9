#pragma once

#include "support/CommandTestBench.h"

#include "gui/main/ActionCommandTarget.h"

// The commands of the bench as the framework's command manager offers them
// to menus and keys, with the action manager as the only target.
struct CommandManagerBench : CommandTestSupport::CommandBench
{
    CommandManagerBench()
    {
        commandManager.registerAllCommandsForTarget (&target);
        commandManager.setFirstCommandTarget (&target);
    }

    ~CommandManagerBench() override { commandManager.setFirstCommandTarget (nullptr); }

    juce::ApplicationCommandInfo infoFor (int commandId)
    {
        juce::ApplicationCommandInfo info (commandId);
        commandManager.getTargetForCommand (commandId, info);
        return info;
    }

    ActionCommandTarget target { *actions };
    juce::ApplicationCommandManager commandManager;
};

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class ActionManager;

// The action manager as the framework's command manager sees it: the last
// target of the command chain, which describes and performs every command.
class ActionCommandTarget : public juce::ApplicationCommandTarget
{
public:
    // The action manager must outlive the target.
    explicit ActionCommandTarget (ActionManager& actions);

    juce::ApplicationCommandTarget* getNextCommandTarget() override { return nullptr; }
    void getAllCommands (juce::Array<juce::CommandID>& commands) override;
    void getCommandInfo (juce::CommandID commandId, juce::ApplicationCommandInfo& info) override;
    bool perform (const InvocationInfo& info) override;

private:
    ActionManager& actions;
};

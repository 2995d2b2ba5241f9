#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A link of the command chain without commands of its own: it hands every
// command on to the next target (the action manager), so the program's keys
// work in a window other than the main one.
class CommandForwarder : public juce::ApplicationCommandTarget
{
public:
    // The target must outlive the forwarder.
    explicit CommandForwarder (juce::ApplicationCommandTarget& next) : nextTarget (next) {}

    juce::ApplicationCommandTarget* getNextCommandTarget() override { return &nextTarget; }
    void getAllCommands (juce::Array<juce::CommandID>&) override {}
    void getCommandInfo (juce::CommandID, juce::ApplicationCommandInfo&) override {}
    bool perform (const InvocationInfo&) override { return false; }

private:
    juce::ApplicationCommandTarget& nextTarget;
};

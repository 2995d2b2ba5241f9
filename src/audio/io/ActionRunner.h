#pragma once

#include "audio/io/ThreadRunningAction.h"

// Runs a ThreadRunningAction to its end while the caller waits: the editor
// behind a modal progress dialog, tests and the command-line tool plainly.
class ActionRunner
{
public:
    virtual ~ActionRunner() = default;

    // Returns once the action has finished (or was never started). False
    // when it could not run, failed or was cancelled.
    virtual bool run (const juce::String& titleKey, ThreadRunningAction& action) = 0;
};

// Starts the action's thread and waits for it.
class BlockingActionRunner : public ActionRunner
{
public:
    bool run (const juce::String& titleKey, ThreadRunningAction& action) override;
};

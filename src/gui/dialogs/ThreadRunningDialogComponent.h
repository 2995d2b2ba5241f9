#pragma once

#include "audio/io/ThreadRunningAction.h"
#include "gui/widgets/ProgressBarComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The content of the dialog behind which an action runs, 400 × 160 pixels:
// the action's status, its progress and one button, Cancel while the action
// runs and OK once it has finished. A finished action that failed keeps the
// dialog open to show its status; one that succeeded closes it at once.
// Starts the action's thread when made.
class ThreadRunningDialogComponent : public juce::Component,
                                     private juce::ChangeListener
{
public:
    explicit ThreadRunningDialogComponent (ThreadRunningAction& action);
    ~ThreadRunningDialogComponent() override;

    bool succeeded() const { return action.isFinished() && ! action.hasFailed() && ! cancelled; }

    void resized() override;

private:
    void changeListenerCallback (juce::ChangeBroadcaster*) override;
    void buttonClicked();
    void close();

    ThreadRunningAction& action;
    juce::Label status;
    ProgressBarComponent progressBar;
    juce::TextButton button;
    bool finishHandled = false;
    bool cancelled = false;
};

#pragma once

#include "audio/io/ActionRunner.h"
#include "resources/MessageBoxes.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// Runs an action behind a modal dialog with its status, a progress bar and
// one button: Cancel while the action runs, OK once it has finished. A
// finished action that failed keeps the dialog open to show its status;
// one that succeeded closes it at once.
class ThreadRunningDialog : public ActionRunner
{
public:
    // Without a busy flag the dialog always opens.
    explicit ThreadRunningDialog (std::unique_ptr<BusyFlag> busyFlag);

    // Refused (false) while another modal box is up. True when the action
    // finished without failure and was not cancelled.
    bool run (const juce::String& titleKey, ThreadRunningAction& action) override;

    class Content;

private:
    const std::unique_ptr<BusyFlag> busyFlag;
};

// The dialog's content, 400 × 160 pixels. Starts the action when made.
class ThreadRunningDialog::Content : public juce::Component,
                                     private juce::ChangeListener
{
public:
    explicit Content (ThreadRunningAction& action);
    ~Content() override;

    bool succeeded() const { return action.isFinished() && ! action.hasFailed() && ! cancelled; }

    juce::Label& getStatusLabel() { return status; }
    juce::TextButton& getButton() { return button; }

    void resized() override;

private:
    void changeListenerCallback (juce::ChangeBroadcaster*) override;
    void buttonClicked();
    void close();

    ThreadRunningAction& action;
    juce::Label status;
    double progress = 0.0;
    juce::ProgressBar progressBar { progress };
    juce::TextButton button;
    bool finishHandled = false;
    bool cancelled = false;
};

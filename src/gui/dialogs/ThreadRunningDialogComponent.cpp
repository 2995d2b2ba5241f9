#include "gui/dialogs/ThreadRunningDialogComponent.h"

#include "resources/CZQVResource.h"

namespace
{
constexpr int contentWidth = 400;
constexpr int contentHeight = 160;
constexpr int buttonWidth = 88;
constexpr int rowHeight = 24;
}

ThreadRunningDialogComponent::ThreadRunningDialogComponent (ThreadRunningAction& actionToRun)
    : action (actionToRun)
{
    status.setJustificationType (juce::Justification::centred);
    status.setFont (juce::Font (15.0f));
    status.setText (CZQVResource::text ("ThreadRunningDialog_DefaultStatusText"), juce::dontSendNotification);
    addAndMakeVisible (status);
    addAndMakeVisible (progressBar);

    button.setButtonText (CZQVResource::text ("Button_Cancel"));
    button.setEnabled (action.isCancellable());
    button.onClick = [this] { buttonClicked(); };
    addAndMakeVisible (button);

    setSize (contentWidth, contentHeight);
    action.addChangeListener (this);
    action.startThread();
}

ThreadRunningDialogComponent::~ThreadRunningDialogComponent()
{
    action.removeChangeListener (this);

    // A dialog closed some other way still leaves no job running behind it.
    if (action.isThreadRunning())
    {
        cancelled = true;
        action.cancel();
        action.waitForThreadToExit (-1);
    }
}

void ThreadRunningDialogComponent::resized()
{
    const int barWidth = juce::roundToInt (getWidth() * 0.9);
    status.setBounds (0, 8, getWidth(), 56);
    progressBar.setBounds ((getWidth() - barWidth) / 2, 72, barWidth, rowHeight);
    button.setBounds ((getWidth() - buttonWidth) / 2, 120, buttonWidth, rowHeight);
}

void ThreadRunningDialogComponent::changeListenerCallback (juce::ChangeBroadcaster*)
{
    if (const auto key = action.getStatusText(); key.isNotEmpty())
        status.setText (CZQVResource::text (key), juce::dontSendNotification);

    progressBar.setValue (action.getProgress(), juce::dontSendNotification);

    if (! action.isFinished() || finishHandled)
        return;

    finishHandled = true;
    button.setButtonText (CZQVResource::text ("Button_Ok"));
    button.setEnabled (true);

    if (! action.hasFailed())
        close();
}

void ThreadRunningDialogComponent::buttonClicked()
{
    if (! action.isFinished())
    {
        cancelled = true;
        action.cancel();
        return;
    }

    close();
}

// The window around the content ends its modal run.
void ThreadRunningDialogComponent::close()
{
    action.waitForThreadToExit (-1);
    getTopLevelComponent()->exitModalState (succeeded() ? 1 : 0);
}

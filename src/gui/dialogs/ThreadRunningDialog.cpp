#include "gui/dialogs/ThreadRunningDialog.h"

namespace
{
constexpr int contentWidth = 400;
constexpr int contentHeight = 160;
constexpr int buttonWidth = 88;
constexpr int rowHeight = 24;
}

ThreadRunningDialog::ThreadRunningDialog (std::unique_ptr<BusyFlag> flag)
    : busyFlag (std::move (flag))
{
}

bool ThreadRunningDialog::run (const juce::String& titleKey, ThreadRunningAction& action)
{
    if (busyFlag != nullptr && ! busyFlag->isFree())
        return false;

    if (busyFlag != nullptr)
        busyFlag->setBusy (true);

    Content content (action);
    juce::DialogWindow::showModalDialog (CZQVResource::text (titleKey), &content, nullptr,
                                         juce::LookAndFeel::getDefaultLookAndFeel().findColour (juce::ResizableWindow::backgroundColourId),
                                         false);

    if (busyFlag != nullptr)
        busyFlag->setBusy (false);

    return content.succeeded();
}

ThreadRunningDialog::Content::Content (ThreadRunningAction& actionToRun)
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

ThreadRunningDialog::Content::~Content()
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

void ThreadRunningDialog::Content::resized()
{
    const int barWidth = juce::roundToInt (getWidth() * 0.9);
    status.setBounds (0, 8, getWidth(), 56);
    progressBar.setBounds ((getWidth() - barWidth) / 2, 72, barWidth, rowHeight);
    button.setBounds ((getWidth() - buttonWidth) / 2, 120, buttonWidth, rowHeight);
}

void ThreadRunningDialog::Content::changeListenerCallback (juce::ChangeBroadcaster*)
{
    if (const auto key = action.getStatusText(); key.isNotEmpty())
        status.setText (CZQVResource::text (key), juce::dontSendNotification);

    progress = action.getProgress();

    if (! action.isFinished() || finishHandled)
        return;

    finishHandled = true;
    button.setButtonText (CZQVResource::text ("Button_Ok"));
    button.setEnabled (true);

    if (! action.hasFailed())
        close();
}

void ThreadRunningDialog::Content::buttonClicked()
{
    if (! action.isFinished())
    {
        cancelled = true;
        action.cancel();
        return;
    }

    close();
}

void ThreadRunningDialog::Content::close()
{
    action.waitForThreadToExit (-1);

    if (auto* window = findParentComponentOfClass<juce::DialogWindow>())
        window->exitModalState (succeeded() ? 1 : 0);
}

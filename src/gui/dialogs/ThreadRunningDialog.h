#pragma once

#include "audio/io/ActionRunner.h"
#include "resources/MessageBoxes.h"

#include <memory>

// Runs an action behind a modal dialog (a ThreadRunningDialogComponent in a
// window without title-bar buttons) and waits for it to close.
class ThreadRunningDialog : public ActionRunner
{
public:
    // Without a busy flag the dialog always opens.
    explicit ThreadRunningDialog (std::unique_ptr<BusyFlag> busyFlag);

    // Refused (false) while another modal box is up; the GUI is busy while
    // the dialog is. True when the action finished without failure and was
    // not cancelled.
    bool run (const juce::String& titleKey, ThreadRunningAction& action) override;

private:
    const std::unique_ptr<BusyFlag> busyFlag;
};

#include "gui/dialogs/ThreadRunningDialog.h"

#include "gui/dialogs/ThreadRunningDialogComponent.h"
#include "gui/widgets/TempDialogWithNoCloseButton.h"

ThreadRunningDialog::ThreadRunningDialog (std::unique_ptr<BusyFlag> flag)
    : busyFlag (std::move (flag))
{
}

bool ThreadRunningDialog::run (const juce::String& titleKey, ThreadRunningAction& action)
{
    if (busyFlag != nullptr && ! busyFlag->isFree())
        return false;

    BusyWhileShown busy (busyFlag.get());
    ThreadRunningDialogComponent content (action);
    TempDialogWithNoCloseButton::runModal (CZQVResource::text (titleKey), content, nullptr);
    return content.succeeded();
}

#include "gui/dialogs/GuiControllerBusyFlag.h"

#include "gui/main/GuiController.h"
#include "gui/main/Host.h"

namespace
{
GuiController* currentGuiController()
{
    auto* host = Host::getInstancePointer();
    return host != nullptr ? host->getGuiController() : nullptr;
}
}

bool GuiControllerBusyFlag::isFree() const
{
    auto* controller = currentGuiController();
    return controller != nullptr && ! controller->isBusy();
}

void GuiControllerBusyFlag::setBusy (bool busy)
{
    if (auto* controller = currentGuiController())
        controller->setBusy (busy);
}

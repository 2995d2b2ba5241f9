#pragma once

#include "resources/MessageBoxes.h"

// The busy flag of the Host's GuiController: free only while the controller
// exists and is not busy.
class GuiControllerBusyFlag : public BusyFlag
{
public:
    bool isFree() const override;
    void setBusy (bool busy) override;
};

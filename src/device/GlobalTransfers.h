#pragma once

#include "data/GlobalData.h"
#include "device/ItemSession.h"

// Receives the device's global data into a target, which is written only
// once the reply is there.
class GlobalReceive : public ItemSession
{
public:
    explicit GlobalReceive (GlobalData& target);

protected:
    void transfer (UsbAccess& access) override;

private:
    GlobalData& target;
};

// Writes global data to the device.
class GlobalWrite : public ItemSession
{
public:
    // The data must stay unchanged while the session runs.
    explicit GlobalWrite (const GlobalData& global);

protected:
    void transfer (UsbAccess& access) override;

private:
    const GlobalData& global;
};

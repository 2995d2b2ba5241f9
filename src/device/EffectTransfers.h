#pragma once

#include "data/EffectData.h"
#include "device/ItemSession.h"

// Receives the device's effect into a fresh effect, which an undoable action
// then puts into the edited bank ("ReceiveEffect").
class EffectReceive : public ItemSession
{
public:
    // The effect as received, for a caller without the program's undo
    // manager.
    const EffectData& getReceivedEffect() const noexcept { return received; }

protected:
    void transfer (UsbAccess& access) override;

private:
    EffectData received;
};

// Writes a bank's effect to the device's current bank.
class EffectWrite : public ItemSession
{
public:
    // The effect must stay unchanged while the session runs.
    explicit EffectWrite (const EffectData& effect);

protected:
    void transfer (UsbAccess& access) override;

private:
    const EffectData& effect;
};

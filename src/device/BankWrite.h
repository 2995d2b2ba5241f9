#pragma once

#include "device/BankTransferSession.h"

class BankData;

// Writes one bank to the device (its current bank, or bank A to H). The
// bank must stay unchanged while the session runs.
class BankWrite : public BankTransferSession
{
public:
    BankWrite (const BankData& bank, int bankNumber);

protected:
    void checkBeforeStart() override;
    void exchangeBankImage (UsbAccess& access) override;
    void transferSample (int index, double progressStart, double progressSpan) override;
    void transferPattern (int index, double progressStart, double progressSpan) override;

private:
    const BankData& bank;
};

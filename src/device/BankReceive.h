#pragma once

#include "device/BankImage.h"
#include "device/BankTransferSession.h"

#include <memory>

class BankData;

// Receives one bank of the device (its current bank, or bank A to H) into a
// bank of its own. Only a bank that arrived whole is handed on, through the
// completion hook, so that a failed or cancelled receive leaves the bank it
// was meant for as it was.
class BankReceive : public BankTransferSession
{
public:
    explicit BankReceive (int bankNumber);
    ~BankReceive() override;

    // The bank being received; complete once the session succeeded without
    // being stopped. Not to be touched while the session runs.
    BankData& getReceivedBank() { return *received; }

protected:
    void exchangeBankImage (UsbAccess& access) override;
    void transferSample (int index, double progressStart, double progressSpan) override;
    void transferPattern (int index, double progressStart, double progressSpan) override;

private:
    std::unique_ptr<BankData> received;
    BankImage image;
};

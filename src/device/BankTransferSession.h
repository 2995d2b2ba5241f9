#pragma once

#include "device/CompositeSession.h"
#include "device/SysExCommand.h"
#include "device/TransferStatus.h"

// One bank moved through the device's bank dump mode: the bank image puts
// the device into dump mode for the bank, the samples and patterns follow
// one by one as inner sessions, and leaving dump mode gives the device's
// verdict. BankReceive and BankWrite fill in the direction.
class BankTransferSession : public CompositeSession
{
public:
    static constexpr int currentBank = -1;
    static constexpr int numSamples = 36;
    static constexpr int numPatterns = 16;
    // The device may take long to settle a written bank.
    static constexpr int leaveWriteDumpTimeoutMs = 30000;

    // The status lines of one direction.
    struct Texts
    {
        TransferStatus::Keys sample;
        TransferStatus::Keys pattern;
        const char* leaveDumpMode;
    };

    // -1 for the device's current bank, else 0 to 7 for A to H.
    int getBankNumber() const noexcept { return bankNumber; }

    // Whether another bank follows in the same dump: leaving dump mode
    // then keeps the device in it. False when made.
    void setMoreBanksFollow (bool follow) noexcept { moreBanksFollow = follow; }
    bool getMoreBanksFollow() const noexcept { return moreBanksFollow; }

    // How far the transfer has come: 0 to 36 and 0 to 16.
    int getSampleIndex() const noexcept { return sampleIndex; }
    int getPatternIndex() const noexcept { return patternIndex; }

    // The device's MIDI channel from the inquiry (0 when it gave none).
    int getChannel() const noexcept { return channel; }

protected:
    // leaveDumpTimeoutMs: the access's time-out while leaving dump mode; 0
    // keeps the one the items used.
    BankTransferSession (int bankNumber, const Texts& texts, int leaveDumpTimeoutMs);

    bool execute() override;

    // Throws before anything is sent when the bank cannot go.
    virtual void checkBeforeStart() {}

    // Sends or requests the bank image; the device is in dump mode after it.
    virtual void exchangeBankImage (UsbAccess& access) = 0;

    virtual void transferSample (int index, double progressStart, double progressSpan) = 0;
    virtual void transferPattern (int index, double progressStart, double progressSpan) = 0;

    // Sends a message and waits for one of the ids; the failure keys are
    // those of the step. Timeouts fail with "Error_UsbTimeout".
    std::unique_ptr<SysExCommand> exchange (UsbAccess& access, const SysExCommand& message,
                                            const std::vector<int>& replyIds, const char* sendFailureKey);

private:
    void askDevice (UsbAccess& access);
    void transferItems();
    void leaveDumpMode (UsbAccess& access, bool aborted);

    const int bankNumber;
    const Texts texts;
    const int leaveDumpTimeoutMs;
    std::atomic<bool> moreBanksFollow { false };
    std::atomic<int> sampleIndex { 0 };
    std::atomic<int> patternIndex { 0 };
    std::atomic<int> channel { 0 };
};

#pragma once

#include "device/BankSelectionState.h"
#include "device/CompositeSession.h"
#include "device/TransferStatus.h"

class AllData;

// Several banks of the bank memory moved through one bank dump, in the order
// A to H, each by an inner bank session; the device stays in dump mode from
// one bank to the next. The receiving and writing sessions fill in the
// direction; the all-bank sessions also move the global data after bank H.
class MultiBankTransfer : public CompositeSession
{
public:
    // The bank being moved (0 to 8), how many banks are chosen and how many
    // went through.
    int getBankIndex() const noexcept { return bankIndex; }
    int getNumSelected() const noexcept { return numSelected; }
    int getNumDone() const noexcept { return numDone; }

protected:
    struct Setup
    {
        BankSelectionState::Flags banks;
        bool withGlobalData;
        bool endDumpOnCancel;   // a cancel makes the running bank end the dump
        TransferStatus::Keys bankStatus;
        const char* globalStatus;
        int finishedMessage;    // -1 for none
    };

    static BankSelectionState::Flags allBanks();

    MultiBankTransfer (AllData& allData, const Setup& setup);

    bool execute() override;
    void prepareInnerCancel (UsbSession& inner) override;

    // Throws before anything is sent when the banks cannot go.
    virtual void checkBeforeStart() {}

    // Moves bank b with an inner bank session; the session's progress x
    // shows as progressStart + x * progressSpan.
    virtual void transferBank (int bankIndex, bool moreBanksFollow, double progressStart, double progressSpan) = 0;
    virtual void transferGlobalData() = 0;

    // Runs the inner bank session and remembers whether it left the device
    // in dump mode for another bank.
    void runBankSession (class BankTransferSession& session, bool moreBanksFollow,
                         double progressStart, double progressSpan);

    // Fails with the key after ending a dump that a previous bank kept open.
    [[noreturn]] void failBetweenBanks (const juce::String& messageKey);

    AllData& allData;

private:
    void transferBanks();
    void endOpenDump();

    const Setup setup;
    const int numSelected;
    std::atomic<int> bankIndex { 0 };
    std::atomic<int> numDone { 0 };
    bool dumpLeftOpen = false;
    int deviceChannel = 0;
};

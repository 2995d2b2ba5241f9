#pragma once

#include "device/MultiBankTransfer.h"

// Writes banks of the bank memory to the device. Refused before anything is
// sent when a stored bank does not fit the device's memory.
class MultiBankWrite : public MultiBankTransfer
{
protected:
    using MultiBankTransfer::MultiBankTransfer;

    void checkBeforeStart() override;
    void transferBank (int bankIndex, bool moreBanksFollow, double progressStart, double progressSpan) override;
    void transferGlobalData() override;
};

// Banks A to H, then the global data: the restore of the whole device.
class AllBankWrite : public MultiBankWrite
{
public:
    explicit AllBankWrite (AllData& allData);
};

// The banks chosen in the bank memory window. Posts message 7 with whether
// every chosen bank went through.
class SelectedBankWrite : public MultiBankWrite
{
public:
    SelectedBankWrite (AllData& allData, const BankSelectionState::Flags& selection);
};

#pragma once

#include "device/MultiBankTransfer.h"

// Receives banks of the device into the bank memory. A bank is stored only
// once it arrived whole; banks stored before a failure stay stored.
class MultiBankReceive : public MultiBankTransfer
{
protected:
    using MultiBankTransfer::MultiBankTransfer;

    void transferBank (int bankIndex, bool moreBanksFollow, double progressStart, double progressSpan) override;
    void transferGlobalData() override;
};

// Banks A to H, then the global data: the backup of the whole device.
// Posts message 5 with whether everything arrived.
class AllBankReceive : public MultiBankReceive
{
public:
    explicit AllBankReceive (AllData& allData);
};

// The banks chosen in the bank memory window. Posts message 6 with whether
// every chosen bank arrived.
class SelectedBankReceive : public MultiBankReceive
{
public:
    SelectedBankReceive (AllData& allData, const BankSelectionState::Flags& selection);
};

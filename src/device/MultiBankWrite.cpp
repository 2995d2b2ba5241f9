#include "device/MultiBankWrite.h"

#include "app/Exception.h"
#include "app/MessageIds.h"
#include "data/AllData.h"
#include "device/BankWrite.h"
#include "device/GlobalTransfers.h"

void MultiBankWrite::checkBeforeStart()
{
    if (! allData.getBankSet().allFit())
        throw Exception ("Error_UsbFailedIllegalBankSetSize");
}

void MultiBankWrite::transferBank (int bankIndex, bool moreBanksFollow, double progressStart, double progressSpan)
{
    BankData bank;

    if (! allData.getBankSet().loadInto (bankIndex, bank))
        failBetweenBanks ("Error_FileFailedToReadTemporaryFile");

    BankWrite session (bank, bankIndex);
    runBankSession (session, moreBanksFollow, progressStart, progressSpan);
}

void MultiBankWrite::transferGlobalData()
{
    GlobalData toSend;
    toSend.copyFrom (allData.getGlobalData());
    GlobalWrite session (toSend);
    runInner (session, 1.0, 0.0);
}

AllBankWrite::AllBankWrite (AllData& data)
    : MultiBankWrite (data, { allBanks(), true, true,
                              { "Communication_Status_AllBankWrite_Bank_Pre", "Communication_Status_AllBankWrite_Bank_Post" },
                              "Communication_Status_AllBankWrite_Global",
                              -1 })
{
}

SelectedBankWrite::SelectedBankWrite (AllData& data, const BankSelectionState::Flags& selection)
    : MultiBankWrite (data, { selection, false, false,
                              { "Communication_Status_SelectedBankWrite_Pre", "Communication_Status_SelectedBankWrite_Post" },
                              "",
                              MessageIds::selectedBankWriteFinished })
{
}

#include "device/MultiBankReceive.h"

#include "app/MessageIds.h"
#include "data/AllData.h"
#include "device/BankReceive.h"
#include "device/GlobalTransfers.h"

void MultiBankReceive::transferBank (int bankIndex, bool moreBanksFollow, double progressStart, double progressSpan)
{
    BankReceive session (bankIndex);
    runBankSession (session, moreBanksFollow, progressStart, progressSpan);

    if (! isStopping() && ! allData.getBankSet().storeFrom (bankIndex, session.getReceivedBank()))
        failBetweenBanks ("Error_FileFailedToWriteTemporaryFile");
}

void MultiBankReceive::transferGlobalData()
{
    GlobalData received;
    GlobalReceive session (received);
    runInner (session, 1.0, 0.0);

    if (! isStopping())
        allData.getGlobalData().copyFrom (received);
}

AllBankReceive::AllBankReceive (AllData& data)
    : MultiBankReceive (data, { allBanks(), true, true,
                                { "Communication_Status_AllBankReceive_Bank_Pre", "Communication_Status_AllBankReceive_Bank_Post" },
                                "Communication_Status_AllBankReceive_Global",
                                MessageIds::allBankReceiveFinished })
{
}

SelectedBankReceive::SelectedBankReceive (AllData& data, const BankSelectionState::Flags& selection)
    : MultiBankReceive (data, { selection, false, false,
                                { "Communication_Status_SelectedBankReceive_Pre", "Communication_Status_SelectedBankReceive_Post" },
                                "",
                                MessageIds::selectedBankReceiveFinished })
{
}

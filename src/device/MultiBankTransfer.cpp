#include "device/MultiBankTransfer.h"

#include "app/Exception.h"
#include "app/MessageEngine.h"
#include "device/BankTransferSession.h"
#include "device/DeviceMessages.h"
#include "device/UsbAccess.h"
#include "resources/CZQVResource.h"

#include <algorithm>

BankSelectionState::Flags MultiBankTransfer::allBanks()
{
    BankSelectionState::Flags flags;
    flags.fill (true);
    return flags;
}

MultiBankTransfer::MultiBankTransfer (AllData& data, const Setup& transferSetup)
    : allData (data),
      setup (transferSetup),
      numSelected ((int) std::count (transferSetup.banks.begin(), transferSetup.banks.end(), true))
{
}

bool MultiBankTransfer::execute()
{
    bool success = false;

    try
    {
        checkBeforeStart();
        setProgress (0.0);
        transferBanks();

        if (setup.withGlobalData && numDone == numSelected && ! isStopping())
        {
            bankIndex = BankSelectionState::numBanks;
            setStatus (CZQVResource::text (setup.globalStatus));
            transferGlobalData();
        }

        if (! isStopping())
            complete();

        success = true;
    }
    catch (const Exception& e)
    {
        setErrorKey (e.getMessageKey());
    }

    if (setup.finishedMessage >= 0)
        MessageEngine::broadcast (setup.finishedMessage, success && ! isStopping() ? 1 : 0);

    // A stopped transfer counts as a success.
    return success;
}

void MultiBankTransfer::transferBanks()
{
    for (int b = 0; b < BankSelectionState::numBanks && ! isStopping(); ++b)
    {
        if (! setup.banks[(size_t) b])
            continue;

        bankIndex = b;
        const int done = numDone;
        setStatus (TransferStatus::line (setup.bankStatus, TransferStatus::bankLabel (b)));
        transferBank (b, numSelected != done + 1, (double) done / numSelected, 1.0 / numSelected);

        if (! isStopping())
            ++numDone;
    }
}

void MultiBankTransfer::runBankSession (BankTransferSession& session, bool moreBanksFollow,
                                        double progressStart, double progressSpan)
{
    session.setMoreBanksFollow (moreBanksFollow);

    try
    {
        runInner (session, progressStart, progressSpan);
    }
    catch (const Exception&)
    {
        // A failed bank ends the dump itself.
        dumpLeftOpen = false;
        throw;
    }

    dumpLeftOpen = session.getMoreBanksFollow();
    deviceChannel = session.getChannel();
}

void MultiBankTransfer::failBetweenBanks (const juce::String& messageKey)
{
    endOpenDump();
    throw Exception (messageKey);
}

void MultiBankTransfer::endOpenDump()
{
    auto* access = getCurrentAccess();

    if (! dumpLeftOpen || access == nullptr)
        return;

    dumpLeftOpen = false;
    access->expectReplies ({ SysExCommand::bankDumpResult }, nullptr);

    if (access->send (DeviceMessages::leaveBankDump (true, deviceChannel), 0, nullptr))
        access->waitForMessage();

    access->stop();
}

void MultiBankTransfer::prepareInnerCancel (UsbSession& inner)
{
    if (auto* bankSession = dynamic_cast<BankTransferSession*> (&inner); bankSession != nullptr && setup.endDumpOnCancel)
        bankSession->setMoreBanksFollow (false);
}

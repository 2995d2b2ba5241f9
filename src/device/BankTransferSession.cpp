#include "device/BankTransferSession.h"

#include "app/Exception.h"
#include "device/DeviceInquiry.h"
#include "device/DeviceMessages.h"
#include "resources/CZQVResource.h"

namespace
{
using Id = SysExCommand::MessageId;

// Samples take the first 80 % of the progress, patterns the rest.
constexpr double sampleShare = 0.8;
constexpr double patternShare = 0.2;

// Results of leaving dump mode, in the bank byte of the reply.
constexpr int dumpAborted = 1;
constexpr int dumpNotInDumpMode = 2;
}

BankTransferSession::BankTransferSession (int bank, const Texts& statusTexts, int leaveTimeoutMs)
    : bankNumber (bank), texts (statusTexts), leaveDumpTimeoutMs (leaveTimeoutMs)
{
}

bool BankTransferSession::execute()
{
    try
    {
        checkBeforeStart();
        setProgress (0.0);

        auto& access = requireAccess();
        askDevice (access);

        if (isStopping())
            return true;

        exchangeBankImage (access);

        // A failed item still ends the dump, and the item's key is the one
        // reported.
        juce::String itemFailure;

        try
        {
            transferItems();
        }
        catch (const Exception& e)
        {
            itemFailure = e.getMessageKey();
        }

        if (itemFailure.isEmpty())
        {
            leaveDumpMode (access, false);
        }
        else
        {
            try { leaveDumpMode (access, true); } catch (const Exception&) {}
            throw Exception (itemFailure);
        }

        if (isStopping())
            return true;

        setProgress (1.0);
        complete();
        return true;
    }
    catch (const Exception& e)
    {
        setErrorKey (e.getMessageKey());
        return false;
    }
}

void BankTransferSession::askDevice (UsbAccess& access)
{
    access.setTimeout (getReplyTimeout());
    DeviceInquiry inquiry;
    runInner (inquiry, 0.0, 0.0);

    const int replyChannel = inquiry.getChannel();
    channel = replyChannel >= 0 && replyChannel <= 15 ? replyChannel : 0;
}

void BankTransferSession::transferItems()
{
    for (int i = 0; i < numSamples && ! isStopping(); ++i)
    {
        sampleIndex = i;
        setStatus (TransferStatus::line (texts.sample, TransferStatus::sampleLabel (i)));
        transferSample (i, sampleShare * i / numSamples, sampleShare / numSamples);
        sampleIndex = i + 1;
    }

    for (int k = 0; k < numPatterns && ! isStopping(); ++k)
    {
        patternIndex = k;
        setStatus (TransferStatus::line (texts.pattern, TransferStatus::patternLabel (k)));
        transferPattern (k, sampleShare + patternShare * k / numPatterns, patternShare / numPatterns);
        patternIndex = k + 1;
    }
}

void BankTransferSession::leaveDumpMode (UsbAccess& access, bool aborted)
{
    setStatus (CZQVResource::text (texts.leaveDumpMode));

    if (leaveDumpTimeoutMs > 0)
        access.setTimeout (leaveDumpTimeoutMs);

    const bool endOfDump = aborted || ! moreBanksFollow;
    const auto reply = exchange (access, DeviceMessages::leaveBankDump (endOfDump, channel),
                                 { Id::bankDumpResult }, "Error_UsbFailedToSendLeaveBankDump");

    if (reply->messageId != Id::bankDumpResult)
        throw Exception ("Error_UsbFailedToGetBankDumpModeResult");

    // A cancelled transfer takes whatever the device answers.
    if (isStopping())
        return;

    if (reply->bankNumber == dumpAborted)
        throw Exception ("Error_UsbBankDumpResultAborted");

    if (reply->bankNumber == dumpNotInDumpMode)
        throw Exception ("Error_UsbBankDumpResultNotDumpMode");
}

std::unique_ptr<SysExCommand> BankTransferSession::exchange (UsbAccess& access, const SysExCommand& message,
                                                             const std::vector<int>& replyIds, const char* sendFailureKey)
{
    access.expectReplies (replyIds, nullptr);

    if (! access.send (message, 0, nullptr))
    {
        access.stop();
        throw Exception (sendFailureKey);
    }

    auto reply = access.waitForMessage();
    access.stop();

    if (reply == nullptr)
        throw Exception ("Error_UsbTimeout");

    return reply;
}

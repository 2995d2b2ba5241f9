#include "device/BankWrite.h"

#include "app/Exception.h"
#include "data/BankData.h"
#include "device/BankImage.h"
#include "device/DeviceMessages.h"
#include "device/SampleTransfers.h"
#include "device/SequenceTransfers.h"

namespace
{
using Id = SysExCommand::MessageId;

const BankTransferSession::Texts writeTexts {
    { "Communication_Status_BankWrite_Sample_Pre", "Communication_Status_BankWrite_Sample_Post" },
    { "Communication_Status_BankWrite_Sequence_Pre", "Communication_Status_BankWrite_Sequence_Post" },
    "Communication_Status_BankWrite_LeaveDumpMode"
};

BankImage imageOf (const BankData& bank)
{
    BankImage image;
    bank.buildParameterBlock (image.bankParameters.data());

    for (int i = 0; i < BankImage::numSamples; ++i)
        image.setSampleParameters (i, bank.getSample (i));

    for (int k = 0; k < BankImage::numPatterns; ++k)
    {
        const auto* pattern = bank.getPattern (k);
        image.setPatternLength (k, pattern->getBytes(), (size_t) pattern->getSize());
    }

    const auto& effect = bank.getEffect().getImage();
    std::copy (effect.begin(), effect.end(), image.effect.begin());
    return image;
}
}

BankWrite::BankWrite (const BankData& bankToWrite, int bankNumber)
    : BankTransferSession (bankNumber, writeTexts, leaveWriteDumpTimeoutMs),
      bank (bankToWrite)
{
}

void BankWrite::checkBeforeStart()
{
    if (! bank.fitsInMemory())
        throw Exception ("Error_UsbFailedIllegalBankDataSize");
}

void BankWrite::exchangeBankImage (UsbAccess& access)
{
    const auto reply = exchange (access, DeviceMessages::bankImage (getBankNumber(), imageOf (bank), getChannel()),
                                 { Id::writeAccepted, Id::requestFailed, Id::deviceNotReady },
                                 "Error_UsbFailedToSendBankData");

    if (reply->messageId == Id::deviceNotReady)
        throw Exception ("Error_UsbNotReadyToSendBankData");

    if (reply->messageId != Id::writeAccepted)
        throw Exception ("Error_UsbFailedToReceiveBankDataReply");
}

void BankWrite::transferSample (int index, double progressStart, double progressSpan)
{
    SampleWrite item (bank.getSample (index), index, SampleWrite::everything);
    runInner (item, progressStart, progressSpan);
}

void BankWrite::transferPattern (int index, double progressStart, double progressSpan)
{
    SequenceWrite item (*bank.getPattern (index), index);
    runInner (item, progressStart, progressSpan);
}

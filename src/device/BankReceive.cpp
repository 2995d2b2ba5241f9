#include "device/BankReceive.h"

#include "app/Exception.h"
#include "data/BankData.h"
#include "device/DeviceMessages.h"
#include "device/SampleTransfers.h"
#include "device/SequenceTransfers.h"

namespace
{
using Id = SysExCommand::MessageId;

const BankTransferSession::Texts receiveTexts {
    { "Communication_Status_BankReceive_Sample_Pre", "Communication_Status_BankReceive_Sample_Post" },
    { "Communication_Status_BankReceive_Sequence_Pre", "Communication_Status_BankReceive_Sequence_Post" },
    "Communication_Status_BankReceive_LeaveDumpMode"
};
}

BankReceive::BankReceive (int bank)
    : BankTransferSession (bank, receiveTexts, 0),
      received (std::make_unique<BankData>())
{
}

BankReceive::~BankReceive() = default;

void BankReceive::exchangeBankImage (UsbAccess& access)
{
    const int bank = getBankNumber();
    const auto request = bank == currentBank ? DeviceMessages::request (Id::currentBankRequest, getChannel())
                                             : DeviceMessages::request (Id::bankRequest, getChannel(), bank);
    const auto reply = exchange (access, request, { Id::currentBankImage, Id::bankImage, Id::deviceNotReady, Id::requestFailed },
                                 "Error_UsbFailedToSendBankDataRequest");

    if (reply->messageId == Id::deviceNotReady)
        throw Exception ("Error_UsbNotReadyToReceiveBankData");

    // Nothing is read beyond what arrived: a short image is a failed one.
    if ((reply->messageId != Id::currentBankImage && reply->messageId != Id::bankImage)
        || ! image.parse (reply->data.getData(), reply->data.getSize()))
        throw Exception ("Error_UsbFailedToReceiveBankData");

    received->parseParameterBlock (image.bankParameters.data());

    EffectData::Image effect;
    std::copy (image.effect.begin(), image.effect.end(), effect.begin());
    received->getEffect().setImage (effect);
}

void BankReceive::transferSample (int index, double progressStart, double progressSpan)
{
    auto& sample = received->getSample (index);
    SampleReceiveInternal item (sample, index);
    runInner (item, progressStart, progressSpan);
    image.applySampleParameters (index, sample);
}

void BankReceive::transferPattern (int index, double progressStart, double progressSpan)
{
    SequenceReceive item (*received->getPattern (index), index);
    runInner (item, progressStart, progressSpan);
}

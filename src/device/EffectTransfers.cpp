#include "device/EffectTransfers.h"

#include "app/Exception.h"
#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "device/DeviceMessages.h"
#include "history/SetNewActions.h"
#include "history/TransactionNames.h"

using Id = SysExCommand::MessageId;

void EffectReceive::transfer (UsbAccess& access)
{
    const auto reply = exchange (access, onDeviceChannel (SysExCommand (Id::effectRequest)),
                                 { Id::effectData, Id::requestFailed }, "Error_UsbFailedToSendEffectDataRequest");

    if (reply.messageId != Id::effectData)
        throw Exception ("Error_UsbFailedToReceiveEffectData");

    // A short reply overwrites the start of the reset image.
    received.resetToDefaults();
    auto image = received.getImage();
    DeviceMessages::copyReplyData (reply, image.data(), image.size());
    received.setImage (image);

    performUndoable (std::make_unique<SetNewEffectAction> (image), TransactionNames::receiveEffect,
                     [] { MessageEngine::broadcast (MessageIds::dataChanged); });

    setProgress (1.0);
    settle (access);
}

//==============================================================================
EffectWrite::EffectWrite (const EffectData& effectToSend)
    : effect (effectToSend)
{
}

void EffectWrite::transfer (UsbAccess& access)
{
    const auto reply = exchange (access, onDeviceChannel (DeviceMessages::effect (effect.getImage(), 0)),
                                 { Id::status21, Id::writeFailed, Id::writeAccepted, Id::requestFailed },
                                 "Error_UsbFailedToSendEffectData");

    // 22 answers an effect as a failure.
    if (reply.messageId != Id::writeAccepted)
        throw Exception ("Error_UsbFailedToReceiveEffectDataReply");

    setProgress (1.0);
    settle (access);
}

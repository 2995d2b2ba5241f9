#include "device/GlobalTransfers.h"

#include "app/Exception.h"
#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "device/DeviceMessages.h"

using Id = SysExCommand::MessageId;

GlobalReceive::GlobalReceive (GlobalData& targetData)
    : target (targetData)
{
}

void GlobalReceive::transfer (UsbAccess& access)
{
    const auto reply = exchange (access, onDeviceChannel (SysExCommand (Id::globalDataRequest)),
                                 { Id::globalData, Id::requestFailed }, "Error_UsbFailedToSendGlobalDataRequest");

    if (reply.messageId != Id::globalData)
        throw Exception ("Error_UsbFailedToReceiveGlobalData");

    // A short reply fills the start; the rest keeps the default image.
    auto image = GlobalData::defaultImage;
    DeviceMessages::copyReplyData (reply, image.data(), image.size());
    target.setImage (image.data(), image.size());
    MessageEngine::broadcast (MessageIds::dataChanged);

    setProgress (1.0);
    settle (access);
}

//==============================================================================
GlobalWrite::GlobalWrite (const GlobalData& globalData)
    : global (globalData)
{
}

void GlobalWrite::transfer (UsbAccess& access)
{
    const auto reply = exchange (access, onDeviceChannel (DeviceMessages::globalData (global.getImage(), 0)),
                                 { Id::writeAccepted, Id::status21, Id::requestFailed, Id::writeFailed },
                                 "Error_UsbFailedToSendGlobalData");

    if (! isOneOf (reply.messageId, { Id::writeAccepted, Id::status21 }))
        throw Exception ("Error_UsbFailedToReceiveGlobalDataReply");

    setProgress (1.0);
    settle (access);
}

#include "device/SequenceTransfers.h"

#include "app/Exception.h"
#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "device/DeviceMessages.h"

using Id = SysExCommand::MessageId;

SequenceReceive::SequenceReceive (SequenceData& targetPattern, int index)
    : target (targetPattern),
      patternIndex (index)
{
}

void SequenceReceive::transfer (UsbAccess& access)
{
    const auto request = onDeviceChannel (DeviceMessages::request (Id::patternInfoRequest, 0, patternIndex));
    const auto info = exchange (access, request, { Id::patternInfo, Id::deviceNotReady },
                                "Error_UsbFailedToSendSeqInfoRequest");

    if (info.messageId == Id::deviceNotReady)
        throw Exception ("Error_UsbNotReadyToReceiveSeqInfo");

    if (info.messageId != Id::patternInfo)
        throw Exception ("Error_UsbFailedToReceiveSeqInfo");

    const int size = info.dataSize;
    target.resetToDefaults();

    if (size >= 1)
    {
        const auto data = requestBulk (access, onDeviceChannel (SysExCommand (Id::patternDataRequest)), Id::patternData,
                                       size, "Error_UsbFailedToSendSeqDataRequest");

        if (data.messageId != Id::patternData || data.data.getSize() < (size_t) size)
            throw Exception ("Error_UsbFailedToReceiveSeqData");

        target.setBlock (data.data.getData(), (size_t) size);
    }

    MessageEngine::broadcast (MessageIds::dataChanged);
    setProgress (1.0);
}

//==============================================================================
SequenceWrite::SequenceWrite (const SequenceData& patternToSend, int index)
    : pattern (patternToSend),
      patternIndex (index)
{
}

void SequenceWrite::transfer (UsbAccess& access)
{
    const auto info = onDeviceChannel (DeviceMessages::patternInfo (patternIndex, pattern.getSize(), 0));
    const auto announced = exchange (access, info, { Id::announcementAccepted, Id::deviceBusy, Id::deviceNotReady },
                                     "Error_UsbFailedToSendSeqInfo");

    if (isOneOf (announced.messageId, { Id::deviceBusy, Id::deviceNotReady }))
        throw Exception ("Error_UsbNotReadyToSendSeqInfo");

    if (announced.messageId != Id::announcementAccepted)
        throw Exception ("Error_UsbFailedToReceiveSeqInfoReply");

    // Sent for an empty pattern too: the device answers for it all the same.
    const auto taken = exchange (access, DeviceMessages::patternData (pattern.getBytes(), (size_t) pattern.getSize()),
                                 { Id::status21, Id::writeAccepted, Id::writeFailed },
                                 "Error_UsbFailedToSendSeqData");

    if (! isOneOf (taken.messageId, { Id::status21, Id::writeAccepted }))
        throw Exception ("Error_UsbFailedToReceiveSeqDataReply");

    setProgress (1.0);
}

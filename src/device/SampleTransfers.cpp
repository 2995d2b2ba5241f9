#include "device/SampleTransfers.h"

#include "app/Exception.h"
#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "device/DeviceMessages.h"
#include "history/SetNewActions.h"
#include "history/TransactionNames.h"

using Id = SysExCommand::MessageId;

SampleHeaderAndDataReceive::SampleHeaderAndDataReceive (int index)
    : sampleIndex (index)
{
}

juce::int64 SampleHeaderAndDataReceive::receiveHeader (UsbAccess& access)
{
    const auto request = onDeviceChannel (DeviceMessages::request (Id::sampleHeaderRequest, 0, sampleIndex));
    const auto reply = exchange (access, request, { Id::sampleHeader, Id::deviceNotReady },
                                 "Error_UsbFailedToSendSampleHeaderRequest");

    if (reply.messageId == Id::deviceNotReady)
        throw Exception ("Error_UsbNotReadyToReceiveSample");

    if (reply.messageId != Id::sampleHeader || reply.data.getSize() < header.size())
        throw Exception ("Error_UsbFailedToReceiveSampleHeader");

    DeviceMessages::copyReplyData (reply, header.data(), header.size());
    const juce::int64 byteCount = SampleData::pcmByteCountOfHeader (header.data());

    // No bank of the device holds more: such a count would only make the
    // program wait for and allocate data that never comes.
    if (byteCount < 0 || byteCount > SampleData::deviceSampleMemory)
        throw Exception ("Error_UsbFailedToReceiveSampleHeader");

    return byteCount;
}

void SampleHeaderAndDataReceive::receivePcm (UsbAccess& access, juce::int64 byteCount)
{
    pcm.reset();
    auto reply = requestBulk (access, onDeviceChannel (SysExCommand (Id::sampleDataRequest)), Id::sampleData,
                              (int) byteCount, "Error_UsbFailedToSendSampleDataRequest");

    if (reply.messageId != Id::sampleData || (juce::int64) reply.data.getSize() < byteCount)
        throw Exception ("Error_UsbFailedToReceiveSampleData");

    pcm.swapWith (reply.data);
}

void SampleHeaderAndDataReceive::decodeInto (SampleData& sample, bool reclampParameters) const
{
    sample.decodeHeaderAndPcm (header.data(), static_cast<const uint8_t*> (pcm.getData()),
                               (juce::int64) pcm.getSize(), reclampParameters);
}

//==============================================================================
SampleReceive::SampleReceive (int index)
    : SampleHeaderAndDataReceive (index)
{
}

void SampleReceive::transfer (UsbAccess& access)
{
    if (const auto byteCount = receiveHeader (access); byteCount > 0)
    {
        receivePcm (access, byteCount);
        const auto block = receiveParameters (access);
        decodeInto (received, false);
        received.parseParameterBlock (block.data());
    }

    apply();
    setProgress (1.0);
}

SampleReceive::ParameterBlock SampleReceive::receiveParameters (UsbAccess& access)
{
    const auto request = onDeviceChannel (DeviceMessages::request (Id::sampleParameterRequest, 0, sampleIndex));
    const auto reply = exchange (access, request, { Id::sampleParameters }, "Error_UsbFailedToSendSampleParameterRequest");

    if (reply.messageId != Id::sampleParameters)
        throw Exception ("Error_UsbFailedToReceiveSampleParameter");

    // A short block is taken as far as it goes; the rest reads as zeros.
    ParameterBlock block {};
    DeviceMessages::copyReplyData (reply, block.data(), block.size());
    return block;
}

void SampleReceive::apply()
{
    const int index = sampleIndex;

    performUndoable (std::make_unique<SetNewSampleAction> (index, received), TransactionNames::receiveSample, [index]
    {
        markSampleTransmitted (index);
        MessageEngine::broadcast (MessageIds::dataChanged);

        refreshPlayerNow (index);
    });
}

//==============================================================================
SampleReceiveInternal::SampleReceiveInternal (SampleData& targetSample, int index)
    : SampleHeaderAndDataReceive (index),
      target (targetSample)
{
}

void SampleReceiveInternal::transfer (UsbAccess& access)
{
    const auto byteCount = receiveHeader (access);
    target.resetToDefaults();

    if (byteCount > 0)
    {
        receivePcm (access, byteCount);

        // The parameters stay those of the reset sample until the bank
        // image brings the device's; start and end must fit the new audio.
        decodeInto (target, true);
    }

    setProgress (1.0);
}

//==============================================================================
SampleWrite::SampleWrite (const SampleData& sampleToSend, int index, Mode writeMode)
    : sample (sampleToSend),
      sampleIndex (index),
      mode (writeMode)
{
}

void SampleWrite::transfer (UsbAccess& access)
{
    if (mode != parametersOnly)
        writeHeaderAndData (access);

    if (mode != headerAndData)
        writeParameters (access);

    markSampleTransmitted (sampleIndex);
    setProgress (1.0);
}

void SampleWrite::writeHeaderAndData (UsbAccess& access)
{
    const auto announced = exchange (access, onDeviceChannel (DeviceMessages::sampleHeader (sampleIndex, sample, 0)),
                                     { Id::writeAccepted, Id::announcementAccepted, Id::deviceBusy, Id::deviceNotReady },
                                     "Error_UsbFailedToSendSampleHeader");

    if (isOneOf (announced.messageId, { Id::deviceBusy, Id::deviceNotReady }))
        throw Exception ("Error_UsbNotReadyToSendSample");

    if (! isOneOf (announced.messageId, { Id::writeAccepted, Id::announcementAccepted }))
        throw Exception ("Error_UsbFailedToReceiveSampleHeaderReply");

    access.stop();

    if (sample.getPcmByteCount() <= 0)
        return;

    const auto taken = exchange (access, DeviceMessages::sampleData (sample),
                                 { Id::status21, Id::writeFailed, Id::writeAccepted, Id::requestFailed },
                                 "Error_UsbFailedToSendSampleData");

    if (! isOneOf (taken.messageId, { Id::status21, Id::writeAccepted }))
        throw Exception ("Error_UsbFailedToReceiveSampleDataReply");

    access.stop();
}

void SampleWrite::writeParameters (UsbAccess& access)
{
    const auto taken = exchange (access, onDeviceChannel (DeviceMessages::sampleParameters (sampleIndex, sample, 0)),
                                 { Id::status21, Id::writeFailed, Id::writeAccepted, Id::requestFailed },
                                 "Error_UsbFailedToSendSampleParameter");

    if (! isOneOf (taken.messageId, { Id::status21, Id::writeAccepted }))
        throw Exception ("Error_UsbFailedToReceiveSampleParameterReply");
}

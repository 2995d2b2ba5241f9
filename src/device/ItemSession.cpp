#include "device/ItemSession.h"

#include "app/Exception.h"
#include "app/TransmitNoticeManager.h"
#include "device/DeviceInquiry.h"
#include "history/ActionContext.h"

void ItemSession::transferProgress (UsbAccess&, int, double fraction, bool)
{
    transferFraction = fraction;
}

void ItemSession::cancel (int timeoutMs)
{
    handOver.abandon();
    UsbSession::cancel (timeoutMs);
}

bool ItemSession::execute()
{
    setProgress (0.0);
    transferFraction = 0.0;
    auto* access = getCurrentAccess();

    if (access == nullptr)
    {
        setErrorKey ("Error_UsbFailedToOpenUsbPort");
        return false;
    }

    access->setTimeout (getReplyTimeout());

    if (! askDevice (*access))
        return false;

    bool success = false;

    try
    {
        transfer (*access);
        success = true;
    }
    catch (const Exception& e)
    {
        setErrorKey (e.getMessageKey());
    }
    catch (const Stopped&)
    {
    }

    access->stop();
    return success;
}

bool ItemSession::askDevice (UsbAccess& access)
{
    DeviceInquiry inquiry;
    inquiry.setReplyTimeout (getReplyTimeout());
    inquiry.run();

    if (const auto failure = inquiry.getErrorKey(); failure.isNotEmpty())
    {
        setErrorKey (failure);
        return false;
    }

    const int channel = inquiry.getChannel();
    deviceChannel = channel >= 0 && channel <= 15 ? channel : 0;

    // The inquiry left the time-out as it found it, but say it again.
    access.setTimeout (getReplyTimeout());
    return true;
}

SysExCommand ItemSession::onDeviceChannel (SysExCommand message) const
{
    message.channel = deviceChannel;
    return message;
}

SysExCommand ItemSession::exchange (UsbAccess& access, const SysExCommand& message, const std::vector<int>& replyIds,
                                    const char* sendFailureKey)
{
    access.expectReplies (replyIds, this);
    return sendAndWait (access, message, sendFailureKey);
}

SysExCommand ItemSession::requestBulk (UsbAccess& access, const SysExCommand& request, int bulkId, int size,
                                       const char* sendFailureKey)
{
    access.expectReply (bulkId, size, this);
    return sendAndWait (access, request, sendFailureKey);
}

SysExCommand ItemSession::sendAndWait (UsbAccess& access, const SysExCommand& message, const char* sendFailureKey)
{
    transferFraction = 0.0;
    const bool bulk = message.messageId == SysExCommand::sampleData || message.messageId == SysExCommand::patternData;

    if (! access.send (message, bulk ? bulkChunkSize : 0, bulk ? this : nullptr))
        throw Exception (sendFailureKey);

    auto reply = access.waitForMessage();

    if (reply == nullptr)
        throw Exception ("Error_UsbTimeout");

    return std::move (*reply);
}

void ItemSession::settle (UsbAccess& access)
{
    if (const int pause = access.getSettleTimeAfterWrite(); pause > 0)
        juce::Thread::sleep (pause);
}

bool ItemSession::performOnMessageThread (std::function<bool()> job)
{
    const auto result = handOver.perform (std::move (job), [this] { return shouldStop(); });

    if (! result.has_value())
        throw Stopped();

    return *result;
}

bool ItemSession::performUndoable (std::unique_ptr<juce::UndoableAction> action, const juce::String& transactionName,
                                   std::function<void()> afterwards)
{
    auto* undoManager = getUndoManager();

    if (undoManager == nullptr)
        return false;

    // The job owns the action until the undo manager takes it, so that an
    // abandoned job leaves nothing behind.
    auto held = std::make_shared<std::unique_ptr<juce::UndoableAction>> (std::move (action));

    return performOnMessageThread ([undoManager, held, transactionName, afterwards]
    {
        undoManager->beginNewTransaction (transactionName);

        // The undo manager deletes an action whose perform fails.
        if (! undoManager->perform (held->release()))
            return false;

        if (afterwards)
            afterwards();

        return true;
    });
}

void ItemSession::markSampleTransmitted (int sampleIndex)
{
    if (auto* context = ActionContext::getCurrent(); context != nullptr && context->transmitNotices != nullptr)
        context->transmitNotices->setSampleNotice (sampleIndex, false);
}

void ItemSession::refreshPlayerNow (int sampleIndex)
{
    if (auto* context = ActionContext::getCurrent(); context != nullptr && context->refreshPlayer)
        context->refreshPlayer (sampleIndex);
}

bool ItemSession::isOneOf (int id, std::initializer_list<int> ids)
{
    for (int candidate : ids)
        if (candidate == id)
            return true;

    return false;
}

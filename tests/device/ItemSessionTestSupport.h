#pragma once

#include "device/DeviceTestSupport.h"
#include "history/HistoryTestSupport.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "device/ItemSession.h"

#include <algorithm>
#include <mutex>

namespace ItemSessionTestSupport
{
    using TestSupport::Bytes;
    using Id = SysExCommand::MessageId;

    // One message as it went down the write pipe: the system exclusive bytes
    // taken out of their USB-MIDI packets, or the raw bytes of bulk data.
    struct WireMessage
    {
        int id;
        Bytes bytes;
    };

    // The system exclusive bytes carried by USB-MIDI packets on cable 1.
    inline Bytes sysExOfPackets (const Bytes& packets)
    {
        Bytes message;

        for (size_t i = 0; i + 4 <= packets.size(); i += 4)
        {
            const int codeIndex = packets[i] & 0x0f;
            const int count = codeIndex == 0x5 ? 1 : codeIndex == 0x6 ? 2 : (codeIndex == 0x4 || codeIndex == 0x7) ? 3 : 0;
            message.insert (message.end(), packets.begin() + (long) i + 1, packets.begin() + (long) i + 1 + count);
        }
        return message;
    }

    // The access of the program through the virtual driver, recording what
    // it writes; it can also be told to fail writing one message id, or to
    // cut the data of the replies of one id short.
    class RecordingAccess : public DirectUsbAccess
    {
    public:
        RecordingAccess() : DirectUsbAccess (std::make_unique<VirtualUsbDriver>()) {}

        bool send (const SysExCommand& command, int chunkSize, UsbAccessCallback* callback) override
        {
            if (onSend)
                onSend (command.messageId);

            {
                std::lock_guard<std::mutex> guard (lock);
                current = Bytes();
                chunkSizes.push_back (chunkSize);
            }

            const bool sent = command.messageId != failSendOf && DirectUsbAccess::send (command, chunkSize, callback);

            std::lock_guard<std::mutex> guard (lock);
            const bool bulk = command.messageId == Id::sampleData || command.messageId == Id::patternData;
            wire.push_back ({ command.messageId, bulk ? current : sysExOfPackets (current) });
            return sent;
        }

        bool writeBytes (const void* bytes, int count) override
        {
            {
                std::lock_guard<std::mutex> guard (lock);
                const auto* p = static_cast<const uint8_t*> (bytes);
                current.insert (current.end(), p, p + count);
            }
            return DirectUsbAccess::writeBytes (bytes, count);
        }

        std::unique_ptr<SysExCommand> waitForMessage() override
        {
            auto reply = DirectUsbAccess::waitForMessage();

            if (reply != nullptr && reply->messageId == cutRepliesOf)
                reply->data.setSize (std::min (cutRepliesTo, reply->data.getSize()));

            return reply;
        }

        std::vector<WireMessage> takeWire()
        {
            std::lock_guard<std::mutex> guard (lock);
            return std::exchange (wire, {});
        }

        std::vector<int> takeIds()
        {
            std::vector<int> ids;
            for (auto& message : takeWire())
                ids.push_back (message.id);
            return ids;
        }

        // Called before each message goes out, on the session's thread.
        std::function<void (int id)> onSend;
        int failSendOf = Id::none;
        int cutRepliesOf = Id::none;
        size_t cutRepliesTo = 0;
        std::vector<int> chunkSizes;

    private:
        std::mutex lock;
        Bytes current;
        std::vector<WireMessage> wire;
    };

    // Counts message 1 of the message engine.
    struct DataChangedCounter : juce::MessageListener
    {
        int count = 0;

        void handleMessage (const juce::Message& message) override
        {
            if (auto* m = dynamic_cast<const BroadcastMessage*> (&message); m != nullptr && m->id == MessageIds::dataChanged)
                ++count;
        }
    };

    // A virtual Plovara and the program's access to it, published for the
    // sessions, which the tests mostly run on the test's own thread (the
    // message thread); the data center, transmit notices and player of the
    // history fixture, and its history once a test publishes it.
    struct ItemSessionFixture : HistoryTestSupport::HistoryFixture
    {
        ItemSessionFixture()
        {
            VirtualUsbBus::getInstance().plug (device);
            EXPECT_EQ (access.open(), UsbAccess::opened);
            UsbSession::setCurrentAccess (&access);
            engine = MessageEngine::getInstance();
            engine->addListener (&dataChanged);
        }

        ~ItemSessionFixture() override
        {
            ItemSession::setUndoManager (nullptr);
            engine->removeListener (&dataChanged);
            MessageEngine::releaseInstance();
            UsbSession::setCurrentAccess (nullptr);
            access.close();
            VirtualUsbBus::getInstance().unplug (*device);
        }

        void setFaults (std::function<void (VirtualPlovara::Faults&)> change)
        {
            auto faults = device->getFaults();
            change (faults);
            device->setFaults (faults);
        }

        void changeBank (std::function<void (VirtualPlovara::Bank&)> change, int index = 0)
        {
            auto bank = device->getBank (index);
            change (bank);
            device->setBank (index, bank);
        }

        // Runs the session here and answers its error key ("" on success).
        juce::String runSession (UsbSession& session, int replyTimeoutMs = 300)
        {
            session.setReplyTimeout (replyTimeoutMs);
            session.run();
            return session.getErrorKey();
        }

        // Delivers what was posted so far.
        void deliverMessages()
        {
            juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
        }

        static Bytes inquiry() { return { 0xf0, 0x7e, 0x7f, 0x06, 0x01, 0xf7 }; }

        std::shared_ptr<VirtualPlovara> device = std::make_shared<VirtualPlovara>();
        RecordingAccess access;
        MessageEngine* engine = nullptr;
        DataChangedCounter dataChanged;
    };
}

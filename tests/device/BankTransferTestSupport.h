#pragma once

#include "device/ItemSessionTestSupport.h"

#include "data/ByteFields.h"
#include "data/SampleData.h"
#include "data/SequenceData.h"
#include "data/SwapFolder.h"
#include "device/UsbSession.h"

#include <atomic>
#include <cstring>
#include <thread>

namespace BankTransferTestSupport
{
    using namespace ItemSessionTestSupport;

    // A sample of the device with a little audio that depends on the seed.
    inline VirtualPlovara::Sample deviceSample (int channels, int frames, int seed)
    {
        SampleData sample;
        sample.resize (channels, frames, 48000.0, false);

        for (int c = 0; c < channels; ++c)
            for (int f = 0; f < frames; ++f)
                sample.getAudio().setSample (c, f, (float) ((seed * 7 + f * 13 + c) % 200 - 100) / 128.0f);

        sample.setName ("S" + juce::String (seed));
        sample.setParameter (SampleData::level, seed % 128);
        sample.setParameter (SampleData::end, frames - 2);

        VirtualPlovara::Sample result;
        sample.buildHeader (result.header.data());
        sample.buildParameterBlock (result.parameters.data());
        result.pcm.setSize ((size_t) sample.getPcmByteCount());
        sample.encodePcm (static_cast<uint8_t*> (result.pcm.getData()), sample.getPcmByteCount());
        return result;
    }

    // A bank of the device that differs from the default and from the banks
    // of other seeds: name, tempo, effect, three samples with audio and
    // patterns of their own names and sizes.
    inline VirtualPlovara::Bank deviceBank (int seed)
    {
        auto bank = VirtualPlovara::makeDefaultBank();
        const auto name = ("BANK" + juce::String (seed)).paddedRight (' ', 8);
        std::memcpy (bank.parameters.data(), name.toRawUTF8(), 8);
        ByteFields::putLittleEndian16 (bank.parameters.data() + 8, 1000 + seed);
        bank.effect[0] = (uint8_t) (seed % 22);
        bank.effect[10] = (uint8_t) seed;

        bank.samples[0] = deviceSample (1, 100 + seed, seed);
        bank.samples[17] = deviceSample (2, 50, seed + 1);
        bank.samples[35] = deviceSample (1, 3, seed + 2);

        for (int k = 0; k < VirtualPlovara::numPatterns; ++k)
        {
            SequenceData pattern;
            pattern.setSize (SequenceData::initialPatternSize + 4 * ((k + seed) % 5));
            pattern.setName ("P" + juce::String (seed) + "_" + juce::String (k));
            bank.patterns[(size_t) k] = pattern.getBlock();
        }
        return bank;
    }

    // The messages that the program wrote, decoded (bulk data keeps only
    // its id).
    inline std::vector<SysExCommand> decoded (const std::vector<WireMessage>& wire)
    {
        std::vector<SysExCommand> messages;

        for (auto& message : wire)
        {
            SysExCommand command (message.id);

            if (message.id != Id::sampleData && message.id != Id::patternData)
                command.decode (message.bytes.data(), message.bytes.size());

            messages.push_back (command);
        }
        return messages;
    }

    inline std::vector<int> leaveDumpOptions (const std::vector<SysExCommand>& messages)
    {
        std::vector<int> options;
        for (auto& m : messages)
            if (m.messageId == Id::leaveBankDump)
                options.push_back (m.optionByte);
        return options;
    }

    inline std::vector<int> bankRequests (const std::vector<SysExCommand>& messages)
    {
        std::vector<int> banks;
        for (auto& m : messages)
            if (m.messageId == Id::bankRequest || m.messageId == Id::bankImage)
                banks.push_back (m.bankNumber);
        return banks;
    }

    inline size_t countOf (const std::vector<SysExCommand>& messages, int id)
    {
        return (size_t) std::count_if (messages.begin(), messages.end(), [id] (const SysExCommand& m) { return m.messageId == id; });
    }

    // The virtual device and the access, with the bank memory's swap files
    // and the audio ids of a test of their own.
    struct BankTransferFixture : ItemSessionFixture
    {
        BankTransferFixture()
        {
            SwapFolder::overrideBaseFolder (temp.folder.getChildFile ("swap"));
        }

        ~BankTransferFixture() override
        {
            access.onSend = nullptr;
            SwapFolder::overrideBaseFolder ({});
        }

        std::vector<SysExCommand> takeMessages() { return decoded (access.takeWire()); }

        // Runs the session on its own thread and cancels it from another one
        // as soon as a message that `when` picks is about to go out; that
        // message is sent once the cancel has reached the session.
        void runAndCancel (UsbSession& session, std::function<bool (int id)> when, int replyTimeoutMs = 300)
        {
            std::atomic<bool> fired { false };
            bool triggered = false;   // the session's thread alone
            std::thread canceller;

            access.onSend = [&] (int id)
            {
                if (triggered || ! when (id))
                    return;

                triggered = true;
                canceller = std::thread ([&session] { session.cancel (20000); });
                fired = true;   // after the canceller exists, for the test's thread

                while (! session.isCancelled())
                    std::this_thread::yield();
            };

            session.setReplyTimeout (replyTimeoutMs);
            session.startThread();

            // Hand-overs to the message thread need it to run.
            while (! fired && session.isThreadRunning())
                juce::MessageManager::getInstance()->runDispatchLoopUntil (1);

            if (canceller.joinable())
                canceller.join();

            session.stopThread (20000);
            access.onSend = nullptr;
        }

        TestSupport::TemporaryFolder temp;
        TestSupport::ScopedBufferIds ids;
    };
}

#pragma once

#include "TestSupport.h"

#include "app/TransmitNoticeManager.h"
#include "data/DataCenter.h"
#include "history/ActionBase.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace HistoryTestSupport
{
    // A data center of its own, transmit notices, a history with the
    // program's limits, and a context that records what the actions tell the
    // player, the waveform selection and the Transmit Effect command.
    struct HistoryFixture : ::testing::Test
    {
        HistoryFixture()
        {
            context.dataCenter = &center;
            context.transmitNotices = &notices;
            context.refreshPlayer = [this] (int index) { refreshedSamples.push_back (index); };
            context.clearWaveSelection = [this] { ++selectionClears; };
            context.transmitEffect = [this] { ++effectTransmits; };
        }

        BankData& bank() const { return center.getEditBank(); }
        SampleData& sample (int index) const { return bank().getSample (index); }

        // Begins a transaction and performs the action in it.
        bool record (const juce::String& name, juce::UndoableAction* action)
        {
            history.beginNewTransaction (name);
            return history.perform (action);
        }

        // Audio of one value everywhere, with a name and a level.
        static void fill (SampleData& target, int channels, int frames, float value, const juce::String& name = "FILLED")
        {
            target.resize (channels, frames, 48000.0, false);
            for (int c = 0; c < channels; ++c)
                juce::FloatVectorOperations::fill (target.getAudio().getWritePointer (c), value, frames);
            target.setName (name);
            target.setParameter (SampleData::level, 99);
        }

        // Audio in which every frame of every channel holds a value of its
        // own, with a name, a level and start and end points inside it. The
        // key (0 to 7) sets the values apart from those of other samples.
        // Up to 2^19 frames.
        static void fillDistinct (SampleData& target, int channels, int frames, int key, const juce::String& name = "FILLED")
        {
            target.resize (channels, frames, 48000.0, false);
            for (int c = 0; c < channels; ++c)
                for (int f = 0; f < frames; ++f)
                    target.getAudio().setSample (c, f, (float) (((key * 2 + c) << 19) + f) / (float) (1 << 24));
            target.setName (name);
            target.setParameter (SampleData::level, 99);
            target.setParameter (SampleData::start, frames / 4);
            target.setParameter (SampleData::end, frames * 3 / 4);
        }

        TestSupport::ScopedUserFolders folders;
        TestSupport::ScopedBufferIds ids;
        StringTable strings { "ParameterStrings" };
        DataCenter center { strings };
        TransmitNoticeManager notices;
        std::vector<int> refreshedSamples;
        int selectionClears = 0;
        int effectTransmits = 0;
        ActionContext context;
        ScopedActionContext installedContext { context };
        juce::UndoManager history { 10000000, 1 };
    };

    // Whether a sample holds the expected audio: the same channels, frames,
    // rate, start and end points, and every value of every channel.
    inline ::testing::AssertionResult sameAudio (const SampleData& actual, const SampleData& expected)
    {
        auto shape = [] (const SampleData& s)
        {
            std::ostringstream text;
            text.precision (12);
            text << s.getNumChannels() << " channels of " << s.getNumFrames() << " frames at " << s.getSampleRate()
                 << " Hz, start " << s.getParameter (SampleData::start) << ", end " << s.getParameter (SampleData::end);
            return text.str();
        };

        if (shape (actual) != shape (expected))
            return ::testing::AssertionFailure() << shape (actual) << " instead of " << shape (expected);

        for (int c = 0; c < actual.getNumChannels(); ++c)
            for (int f = 0; f < actual.getNumFrames(); ++f)
                if (actual.getAudio().getSample (c, f) != expected.getAudio().getSample (c, f))
                    return ::testing::AssertionFailure() << "channel " << c << ", frame " << f << ": "
                                                         << actual.getAudio().getSample (c, f) << " instead of "
                                                         << expected.getAudio().getSample (c, f);

        return ::testing::AssertionSuccess();
    }
}

#include "device/UsbSessionManager.h"
#include "device/virtual/VirtualPlovara.h"
#include "device/virtual/VirtualUsbBus.h"
#include "prefs/PreferencesData.h"

namespace HistoryTestSupport
{
    // The history fixture with a virtual Plovara on the bus, reached through
    // a session manager on the virtual port, and the user's preferences.
    struct DeviceHistoryFixture : HistoryFixture
    {
        DeviceHistoryFixture()
        {
            VirtualUsbBus::getInstance().plug (device);
            manager.setPortKind (UsbSessionManager::virtualPort);
            manager.openPort();
            context.sendParameterChange = [this] (int block, int parameter, int value)
            {
                manager.sendParameterChange (block, parameter, value);
            };
        }

        ~DeviceHistoryFixture() override
        {
            context.sendParameterChange = nullptr;
            VirtualUsbBus::getInstance().unplug (*device);
            PreferencesData::releaseInstance();
        }

        // Every message the device took since the last call, as bytes.
        std::vector<TestSupport::Bytes> takeSentMessages()
        {
            std::vector<TestSupport::Bytes> messages;

            for (auto& message : device->getReceivedMessages())
            {
                const auto bytes = message.encode();
                auto* p = static_cast<const uint8_t*> (bytes.getData());
                messages.emplace_back (p, p + bytes.getSize());
            }

            device->clearReceivedMessages();
            return messages;
        }

        // A parameter change on MIDI channel 1: block, parameter and value
        // as 14-bit words, low seven bits first.
        static TestSupport::Bytes change (int block, int parameter, int value)
        {
            return TestSupport::ByteBuilder()
                .add ({ 0xF0, 0x42, 0x30, 0x7F, 0x41 })
                .add ({ block & 0x7F, (block >> 7) & 0x7F, parameter & 0x7F, (parameter >> 7) & 0x7F })
                .add ({ value & 0x7F, (value >> 7) & 0x7F, 0xF7 })
                .bytes;
        }

        PreferencesData* prefs = PreferencesData::getInstance();
        std::shared_ptr<VirtualPlovara> device = std::make_shared<VirtualPlovara>();
        UsbSessionManager manager;
    };
}

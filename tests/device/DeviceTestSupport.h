#pragma once

#include "TestSupport.h"

#include "device/DirectUsbAccess.h"
#include "device/UsbMidiInterpreter.h"
#include "device/virtual/VirtualPlovara.h"
#include "device/virtual/VirtualUsbBus.h"

#include <gtest/gtest.h>

#include <memory>

namespace DeviceTestSupport
{
    using TestSupport::Bytes;

    // What the device sends for one message: USB-MIDI packets on cable 1,
    // padded with zero packets to whole 64-byte units.
    inline Bytes unitsOf (const Bytes& message)
    {
        struct Silent : UsbMidiInterpreterCallback
        {
            void handleShortMessage (const juce::MidiMessage&, int) override {}
            int getSysExNotifyInterval() override { return 0; }
            void handleSysExData (const uint8_t*, int, bool, int) override {}
        } silent;

        UsbMidiInterpreter interpreter (silent, 1, true);
        const auto packets = interpreter.makePackets (message.data(), message.size());
        const auto* p = static_cast<const uint8_t*> (packets.getData());
        Bytes units (p, p + packets.getSize());
        units.resize ((units.size() + 63) / 64 * 64, 0);
        return units;
    }

    inline Bytes bulkMarker()
    {
        return TestSupport::ByteBuilder().fill (0xff, 3).fill (0, 61).bytes;
    }

    // A virtual Plovara plugged into the bus for the length of a test, and
    // an access through the virtual driver, opened, with short waits.
    struct VirtualDeviceFixture : ::testing::Test
    {
        VirtualDeviceFixture()
        {
            VirtualUsbBus::getInstance().plug (device);
            access.setTimeout (2000);
        }

        ~VirtualDeviceFixture() override
        {
            access.close();
            VirtualUsbBus::getInstance().unplug (*device);
        }

        void openAccess() { ASSERT_EQ (access.open(), UsbAccess::opened); }

        // Sends a message and waits for one of the ids.
        std::unique_ptr<SysExCommand> exchange (const SysExCommand& message, const std::vector<int>& ids)
        {
            access.expectReplies (ids, nullptr);
            EXPECT_TRUE (access.send (message, 0, nullptr));
            auto reply = access.waitForMessage();
            access.stop();
            return reply;
        }

        SysExCommand request (int id, int number = 0) const
        {
            SysExCommand message (id);
            message.bankNumber = message.sampleNumber = message.patternNumber = number;
            return message;
        }

        std::shared_ptr<VirtualPlovara> device = std::make_shared<VirtualPlovara>();
        DirectUsbAccess access { std::make_unique<VirtualUsbDriver>() };
    };
}

#include "device/UsbDeviceMatch.h"

#include <gtest/gtest.h>

#include <tuple>

namespace
{
using Endpoint = UsbDeviceDescription::Endpoint;
using Interface = UsbDeviceDescription::Interface;

constexpr int plovara = 0x010c;

// Endpoint attributes: 0x02 bulk, 0x03 interrupt.
const Interface audioControl { 0, 0, 1, 1, {} };
const Interface midiStreaming { 1, 0, 1, 3, { { 0x81, 0x02, 64 }, { 0x01, 0x02, 64 } } };
const Interface vendorStream { 0, 0, 0xff, 0, { { 0x82, 0x02, 512 }, { 0x03, 0x02, 512 } } };

const UsbDeviceDescription classCompliantPlovara { 0x0f5e, plovara, { audioControl, midiStreaming } };
const UsbDeviceDescription vendorSpecificPlovara { 0x0f5e, plovara, { vendorStream } };
const UsbDeviceDescription compositePlovara { 0x0f5e, plovara,
    { vendorStream,
      { 1, 0, 1, 1, {} },
      { 2, 0, 1, 3, { { 0x84, 0x02, 64 }, { 0x05, 0x02, 64 } } } } };
const UsbDeviceDescription otherMakersKeyboard { 0x1a2b, 0x0105, { audioControl, midiStreaming } };
const UsbDeviceDescription mouse { 0x3c4d, 0x0042, { { 0, 0, 3, 1, { { 0x81, 0x03, 8 } } } } };

auto fieldsOf (const UsbStreamInterface& s)
{
    return std::make_tuple (s.number, s.alternateSetting, (int) s.inEndpoint, (int) s.outEndpoint, s.inMaxPacketSize);
}

struct MatchCase
{
    const char* what;
    UsbDeviceDescription device;
    std::optional<UsbStreamInterface> expected;
};

const MatchCase matchCases[] = {
    { "class-compliant", classCompliantPlovara, UsbStreamInterface { 1, 0, 0x81, 0x01, 64 } },
    { "vendor-specific, high-speed packets", vendorSpecificPlovara, UsbStreamInterface { 0, 0, 0x82, 0x03, 512 } },
    { "composite: MIDI streaming before the vendor interface", compositePlovara, UsbStreamInterface { 2, 0, 0x84, 0x05, 64 } },
    { "another maker's MIDI device", otherMakersKeyboard, std::nullopt },
    { "interrupt endpoints only", { 0, plovara, { { 0, 0, 0xff, 0, { { 0x81, 0x03, 64 }, { 0x02, 0x03, 64 } } } } }, std::nullopt },
    { "two bulk IN endpoints", { 0, plovara, { { 0, 0, 1, 3, { { 0x81, 0x02, 64 }, { 0x82, 0x02, 64 }, { 0x01, 0x02, 64 } } } } },
      std::nullopt },
    { "a bulk IN whose packets hold nothing", { 0, plovara, { { 0, 0, 0xff, 0, { { 0x81, 0x02, 0 }, { 0x01, 0x02, 64 } } } } },
      std::nullopt },
    { "audio streaming, not MIDI", { 0, plovara, { { 0, 0, 1, 2, { { 0x81, 0x02, 64 }, { 0x01, 0x02, 64 } } } } }, std::nullopt },
    { "an interrupt endpoint beside the bulk pair",
      { 0, plovara, { { 0, 0, 0xff, 0, { { 0x83, 0x03, 8 }, { 0x81, 0x02, 64 }, { 0x01, 0x02, 64 } } } } },
      UsbStreamInterface { 0, 0, 0x81, 0x01, 64 } },
    { "the endpoints in alternate setting 1",
      { 0, plovara, { { 0, 0, 0xff, 0, {} }, { 0, 1, 0xff, 0, { { 0x81, 0x02, 64 }, { 0x01, 0x02, 64 } } } } },
      UsbStreamInterface { 0, 1, 0x81, 0x01, 64 } },
};
}

TEST (UsbDeviceMatch, FindsTheStreamInterfaceFromTheDescriptors)
{
    for (const auto& c : matchCases)
    {
        const auto found = UsbDeviceMatch::findStreamInterface (c.device, plovara);
        ASSERT_EQ (found.has_value(), c.expected.has_value()) << c.what;

        if (found)
        {
            EXPECT_EQ (fieldsOf (*found), fieldsOf (*c.expected)) << c.what;
        }
    }
}

// The driver opens and claims only the device and interface of a device
// object, so a device that does not match can never be claimed.
TEST (UsbDeviceMatch, DeviceObjectsAreOnlyTheMatchingDevices)
{
    const std::vector<UsbDeviceDescription> present { otherMakersKeyboard, mouse, vendorSpecificPlovara, classCompliantPlovara };

    const struct
    {
        int deviceNumber;
        std::optional<size_t> index;
        int interfaceNumber;
    } cases[] = { { 0, 2, 0 }, { 1, 3, 1 }, { 2, std::nullopt, 0 }, { -1, std::nullopt, 0 } };

    for (const auto& c : cases)
    {
        const auto object = UsbDeviceMatch::findDeviceObject (present, plovara, c.deviceNumber);
        ASSERT_EQ (object.has_value(), c.index.has_value()) << "device object " << c.deviceNumber;

        if (object)
        {
            EXPECT_EQ (object->index, *c.index) << "device object " << c.deviceNumber;
            EXPECT_EQ (object->stream.number, c.interfaceNumber) << "device object " << c.deviceNumber;
        }
    }

    const std::vector<UsbDeviceDescription> foreignOnly { otherMakersKeyboard, mouse };
    EXPECT_FALSE (UsbDeviceMatch::findDeviceObject (foreignOnly, plovara, 0).has_value());
}

#include "TestSupport.h"

#include "device/DeviceDescriptor.h"

#include <gtest/gtest.h>

using TestSupport::Bytes;

TEST (DeviceDescriptor, TravelsAsSixtyFourBytes)
{
    const DeviceDescriptor descriptor { 0x1234, 0x010c, 0x01020304, "Maker", "Plovara" };
    const auto block = descriptor.toBytes();
    const auto* p = static_cast<const uint8_t*> (block.getData());

    const auto expected = TestSupport::ByteBuilder()
                              .text ("PLVD").add ({ 0x34, 0x12, 0x0c, 0x01, 0x01, 0x02, 0x03, 0x04 })
                              .text ("Maker").add ({ 0 }).text ("Plovara").add ({ 0 })
                              .fill (0, 64 - 12 - 14).bytes;
    EXPECT_EQ (Bytes (p, p + block.getSize()), expected);

    const auto back = DeviceDescriptor::fromBytes (expected.data(), expected.size());
    ASSERT_TRUE (back.has_value());
    EXPECT_EQ (back->getIdentifier(), 0x1234010cu);
    EXPECT_EQ (back->driverVersion, 0x01020304u);
    EXPECT_EQ (back->manufacturer, "Maker");
    EXPECT_EQ (back->product, "Plovara");
}

TEST (DeviceDescriptor, RefusesForeignBlocksAndKeepsLongNamesInside)
{
    auto bytes = TestSupport::ByteBuilder().text ("PLVX").fill (0, 60).bytes;
    EXPECT_FALSE (DeviceDescriptor::fromBytes (bytes.data(), bytes.size()).has_value());
    bytes[3] = 'D';
    EXPECT_FALSE (DeviceDescriptor::fromBytes (bytes.data(), 63).has_value());

    const DeviceDescriptor longNames { 1, 2, 0, juce::String::repeatedString ("m", 60), juce::String::repeatedString ("p", 60) };
    const auto block = longNames.toBytes();
    ASSERT_EQ (block.getSize(), 64u);
    const auto back = DeviceDescriptor::fromBytes (block.getData(), block.getSize());
    ASSERT_TRUE (back.has_value());
    EXPECT_EQ (back->manufacturer.length() + back->product.length() + 2, 52);
}

TEST (DeviceDescriptor, StringDescriptorsAreUtf16)
{
    const auto block = DeviceDescriptor::makeStringDescriptor ("Ab");
    const auto* p = static_cast<const uint8_t*> (block.getData());
    EXPECT_EQ (Bytes (p, p + block.getSize()), (Bytes { 6, 3, 'A', 0, 'b', 0 }));
}

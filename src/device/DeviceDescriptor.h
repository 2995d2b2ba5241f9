#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <optional>

// What a driver tells about a device: ids, driver version and the two
// strings. Emulated devices introduce themselves with it; on a socket it
// travels as a 64-byte block: "PLVD", vendor id and product id (16-bit
// little-endian each), the driver version (most significant byte first),
// then the manufacturer name and the product name in UTF-8, each ended by a
// zero byte, zero-filled.
struct DeviceDescriptor
{
    static constexpr int size = 64;
    static constexpr int manufacturerStringIndex = 1;
    static constexpr int productStringIndex = 2;

    int vendorId = 0;
    int productId = 0;
    uint32_t driverVersion = 0;
    juce::String manufacturer;
    juce::String product;

    uint32_t getIdentifier() const { return ((uint32_t) vendorId << 16) | (uint32_t) (productId & 0xffff); }
    uint32_t getStringIndices() const { return (manufacturerStringIndex << 8) | productStringIndex; }

    // The USB string descriptor of string index 1 or 2; empty otherwise.
    juce::MemoryBlock getStringDescriptor (int stringIndex) const;

    juce::MemoryBlock toBytes() const;
    static std::optional<DeviceDescriptor> fromBytes (const void* bytes, size_t size);

    // Length, type 3, then the text in UTF-16 little-endian.
    static juce::MemoryBlock makeStringDescriptor (const juce::String& text);
};

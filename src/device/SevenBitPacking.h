#pragma once

#include <cstddef>
#include <cstdint>

// Packing of 8-bit data into the 7-bit bytes a system exclusive message may
// carry. Every group of up to seven data bytes becomes one byte holding the
// group's top bits (bit k for byte k of the group) followed by the group's
// bytes with bit 7 cleared.
namespace SevenBitPacking
{
    // n data bytes need n + ceil (n / 7) packed bytes.
    constexpr size_t packedSize (size_t dataBytes) { return dataBytes + (dataBytes + 6) / 7; }

    // m packed bytes give m - ceil (m / 8) data bytes.
    constexpr size_t unpackedSize (size_t packedBytes) { return packedBytes - (packedBytes + 7) / 8; }

    // Writes packedSize (dataBytes) bytes to dest.
    void pack (const uint8_t* data, size_t dataBytes, uint8_t* dest);

    // Writes unpackedSize (packedBytes) bytes to dest.
    void unpack (const uint8_t* packed, size_t packedBytes, uint8_t* dest);
}

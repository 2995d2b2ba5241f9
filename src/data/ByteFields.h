#pragma once

#include <cstdint>

// Reading and writing of integer fields in byte images, one byte at a time,
// so that images never depend on the layout or byte order of the machine.
namespace ByteFields
{
    inline void putLittleEndian16 (uint8_t* p, int value)
    {
        p[0] = (uint8_t) (value & 0xff);
        p[1] = (uint8_t) ((value >> 8) & 0xff);
    }

    inline void putLittleEndian32 (uint8_t* p, int32_t value)
    {
        const auto u = (uint32_t) value;
        p[0] = (uint8_t) (u & 0xff);
        p[1] = (uint8_t) ((u >> 8) & 0xff);
        p[2] = (uint8_t) ((u >> 16) & 0xff);
        p[3] = (uint8_t) ((u >> 24) & 0xff);
    }

    inline void putBigEndian16 (uint8_t* p, int value)
    {
        p[0] = (uint8_t) ((value >> 8) & 0xff);
        p[1] = (uint8_t) (value & 0xff);
    }

    inline void putBigEndian32 (uint8_t* p, int32_t value)
    {
        const auto u = (uint32_t) value;
        p[0] = (uint8_t) ((u >> 24) & 0xff);
        p[1] = (uint8_t) ((u >> 16) & 0xff);
        p[2] = (uint8_t) ((u >> 8) & 0xff);
        p[3] = (uint8_t) (u & 0xff);
    }

    inline int getLittleEndianU16 (const uint8_t* p)
    {
        return p[0] | (p[1] << 8);
    }

    inline int16_t getLittleEndian16 (const uint8_t* p)
    {
        return (int16_t) (uint16_t) getLittleEndianU16 (p);
    }

    inline int32_t getLittleEndian32 (const uint8_t* p)
    {
        return (int32_t) ((uint32_t) p[0] | ((uint32_t) p[1] << 8)
                          | ((uint32_t) p[2] << 16) | ((uint32_t) p[3] << 24));
    }

    inline int getBigEndianU16 (const uint8_t* p)
    {
        return (p[0] << 8) | p[1];
    }

    inline int16_t getBigEndian16 (const uint8_t* p)
    {
        return (int16_t) (uint16_t) getBigEndianU16 (p);
    }
}

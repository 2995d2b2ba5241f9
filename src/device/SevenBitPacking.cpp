#include "device/SevenBitPacking.h"

#include <algorithm>

namespace SevenBitPacking
{
void pack (const uint8_t* data, size_t dataBytes, uint8_t* dest)
{
    for (size_t groupStart = 0; groupStart < dataBytes; groupStart += 7)
    {
        const size_t groupSize = std::min<size_t> (7, dataBytes - groupStart);
        uint8_t topBits = 0;

        for (size_t k = 0; k < groupSize; ++k)
        {
            const uint8_t byte = data[groupStart + k];
            topBits |= (uint8_t) ((byte >> 7) << k);
            dest[k + 1] = (uint8_t) (byte & 0x7f);
        }

        dest[0] = topBits;
        dest += groupSize + 1;
    }
}

void unpack (const uint8_t* packed, size_t packedBytes, uint8_t* dest)
{
    for (size_t groupStart = 0; groupStart < packedBytes; groupStart += 8)
    {
        const size_t groupSize = std::min<size_t> (8, packedBytes - groupStart) - 1;
        const uint8_t topBits = packed[groupStart];

        for (size_t k = 0; k < groupSize; ++k)
            dest[k] = (uint8_t) ((packed[groupStart + 1 + k] & 0x7f) | (((topBits >> k) & 1) << 7));

        dest += groupSize;
    }
}
}

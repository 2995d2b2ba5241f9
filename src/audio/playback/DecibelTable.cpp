#include "audio/playback/DecibelTable.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace DecibelTable
{
namespace
{
const std::array<float, numEntries>& thresholds()
{
    static const auto table = []
    {
        std::array<float, numEntries> values {};
        for (int i = 0; i < numEntries; ++i)
            values[(size_t) i] = (float) std::pow (10.0, (i * 0.5 + floorDb) / 20.0);
        return values;
    }();
    return table;
}
}

float threshold (int index)
{
    return thresholds()[(size_t) index];
}

float toDecibels (float linearLevel)
{
    const auto& table = thresholds();
    const auto entry = std::lower_bound (table.begin(), table.end(), linearLevel);

    if (entry == table.end())
        return overRangeDb;
    return (float) (entry - table.begin()) * 0.5f + floorDb;
}

float peakOf (const float* samples, int count)
{
    float peak = 0.0f;
    for (int i = 0; i < count; ++i)
        peak = std::max (peak, std::abs (samples[i]));
    return toDecibels (peak);
}

void raiseHeldPeak (std::atomic<float>& held, float levelDb)
{
    float stored = held.load();
    while (levelDb > stored && ! held.compare_exchange_weak (stored, levelDb))
    {
    }
}
}

#pragma once

#include <atomic>

// Peak levels in dB for the level meters, in half-dB steps from −60 dB.
namespace DecibelTable
{
    constexpr int numEntries = 128;
    constexpr float floorDb = -60.0f;
    constexpr float overRangeDb = 3.5f;

    // The threshold of entry i: 10^((i / 2 − 60) / 20).
    float threshold (int index);

    // The dB value of the first entry whose threshold is at least the level
    // (i × 0.5 − 60); +3.5 above the last entry.
    float toDecibels (float linearLevel);

    // The dB value of the largest absolute sample of an array.
    float peakOf (const float* samples, int count);

    // Raises a held peak level (dB) to the given level when that is higher;
    // safe against a reader that resets it at the same time.
    void raiseHeldPeak (std::atomic<float>& held, float levelDb);
}

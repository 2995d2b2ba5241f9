#pragma once

#include "data/BankData.h"
#include "device/virtual/VirtualPlovara.h"

// What the emulated device holds when the demo starts for the first time:
// eight banks in different styles, each with named drum and tone samples
// the program synthesizes, a few patterns that play them and an effect of
// its own. Every bank fits the device's memory.
namespace DemoBanks
{
    constexpr int numSamples = 8;    // slots 0 to 7 hold sounds, the rest stay empty
    constexpr int numPatterns = 3;   // patterns 1 to 3 play, the rest stay initial

    // Bank index 0 to 7 (A to H).
    void fillBank (int bankIndex, BankData& bank);

    // Every bank of the device; its global data and current bank stay.
    void fill (VirtualPlovara& device);
}

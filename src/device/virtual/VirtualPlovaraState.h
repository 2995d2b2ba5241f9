#pragma once

#include "data/AllData.h"
#include "device/virtual/VirtualPlovara.h"

// The emulated Plovara's memory as the program's own bank memory: eight
// banks and the global data, kept in ".plvr_all" files so that the device
// remembers its state from one run to the next.
namespace VirtualPlovaraState
{
    // Device to bank memory; false when a bank could not be stored.
    bool copyToAllData (const VirtualPlovara& device, AllData& allData);

    // Bank memory to device. Throws Exception when a stored bank cannot be
    // read; the device is changed only once every bank has been read.
    void copyFromAllData (const AllData& allData, VirtualPlovara& device);

    // False when the file could not be written; the old file then stays.
    bool saveToFile (const VirtualPlovara& device, const juce::File& file);

    // Throws Exception with the message key of the failure when the file
    // cannot be opened or is not a bank memory backup; the device is then
    // left as it was.
    void loadFromFile (VirtualPlovara& device, const juce::File& file);
}

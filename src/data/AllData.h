#pragma once

#include "data/GlobalData.h"
#include "data/StoredBankData.h"

// Where the eight banks of a set are kept. Swap files keep the program
// small while it holds the whole bank memory; memory suits short-lived sets,
// such as one that is read only to check a file.
enum class BankStorage { swapFiles, memory };

// The device's bank memory: eight stored banks, A to H. Each bank lives in
// a swap file where one can be prepared, else in memory.
class BankSet : public DataSet
{
public:
    static constexpr int numBanks = 8;
    static inline const juce::String chunkId { "3872BnkS" };

    explicit BankSet (BankStorage storage = BankStorage::swapFiles);

    StoredBankData& getBank (int index) const;

    // False for an index outside 0 to 7 and when the stored bank failed.
    bool loadInto (int index, BankData& bank) const;
    bool storeFrom (int index, BankData& bank) const;

    // True when every bank's summary says it fits the device's memory.
    bool allFit() const;

    // Exchanges the contents of every bank with the other set's; false, with
    // both sets as they were, when a bank could not be exchanged.
    bool swapContentsWith (BankSet& other);

    static juce::String letterOf (int index) { return juce::String::charToString ((juce::juce_wchar) ('A' + index)); }

    juce::String getChunkId() const override { return chunkId; }

private:
    static bool isBankIndex (int index) { return index >= 0 && index < numBanks; }
};

// Everything the device holds: the bank memory and the global settings; the
// whole of a ".plvr_all" file.
class AllData : public DataSet
{
public:
    static inline const juce::String chunkId { "3872AllD" };

    explicit AllData (BankStorage storage = BankStorage::swapFiles);

    BankSet& getBankSet() const { return static_cast<BankSet&> (getChild (0)); }
    GlobalData& getGlobalData() const { return static_cast<GlobalData&> (getChild (1)); }

    // Exchanges banks and global data with the other; false, with both as
    // they were, when a bank could not be exchanged.
    bool swapContentsWith (AllData& other);

    juce::String getChunkId() const override { return chunkId; }
};

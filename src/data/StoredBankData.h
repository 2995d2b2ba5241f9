#pragma once

#include "data/BankData.h"
#include "data/SwapFolder.h"

#include <memory>

// What the bank memory window shows of a stored bank without loading it.
class BankDataInformation
{
public:
    BankDataInformation() = default;
    explicit BankDataInformation (const BankData& bank);
    virtual ~BankDataInformation() = default;

    juce::String bankName;
    juce::StringArray sampleNames;    // 36
    juce::StringArray patternNames;   // 16
    int effectType = 0;
    bool fits = false;
};

// A bank kept outside the edit buffer, with its summary. In a file it is an
// ordinary bank chunk.
//
// loadInto and storeFrom return false when the bank could not be read or
// written; callers report "Error_FileFailedToReadTemporaryFile" or
// "Error_FileFailedToWriteTemporaryFile". A failed load leaves the target as
// it was; a failed store leaves the stored bank as it was.
class StoredBankData : public Data
{
public:
    // This bank becomes a copy of the other (contents and summary).
    virtual bool copyFrom (StoredBankData& other);

    // Exchanges contents and summaries.
    virtual bool swapWith (StoredBankData& other);

    virtual bool loadInto (BankData& bank) = 0;
    virtual bool storeFrom (BankData& bank) = 0;

    const BankDataInformation& getInformation() const { return information; }

    juce::String getChunkId() const override { return BankData::chunkId; }

protected:
    void summarise (const BankData& bank) { information = BankDataInformation (bank); }

    BankDataInformation information;
};

// A stored bank kept in a swap file in the process's private swap folder,
// so that only banks in use take memory.
class FileBasedStoredBankData : public StoredBankData
{
public:
    // Prepares the swap file with a default bank; when that fails (or no
    // folder is given) the bank is not valid and must not be used.
    explicit FileBasedStoredBankData (std::shared_ptr<SwapFolder> swapFolder);
    ~FileBasedStoredBankData() override;

    bool isPrepared() const { return prepared; }
    const juce::File& getSwapFile() const { return swapFile; }

    bool copyFrom (StoredBankData& other) override;
    bool swapWith (StoredBankData& other) override;
    bool loadInto (BankData& bank) override;
    bool storeFrom (BankData& bank) override;

    // Writing fails (false) when the swap file cannot be read; reading
    // throws "Error_FileFailedToWriteTemporaryFile" when the bank read
    // cannot be kept in the swap file.
    bool writeTo (juce::OutputStream& stream) override;
    bool readFrom (juce::InputStream& stream) override;
    int getChunkSize() const override;
    void resetToDefaults() override;

    // False when the swap file could not be prepared; the error box is then
    // shown where a GUI is free to show it.
    bool isValid() const override;

private:
    // The swap file replaced as a whole, so a failed write keeps the old one.
    bool writeSwapFile (BankData& bank);
    bool readSwapFile (BankData& bank) const;

    std::shared_ptr<SwapFolder> folder;
    juce::File swapFile;
    bool prepared = false;
};

// A stored bank kept in memory, where no swap file could be prepared.
class MemoryBasedStoredBankData : public StoredBankData
{
public:
    MemoryBasedStoredBankData();

    bool copyFrom (StoredBankData& other) override;
    bool swapWith (StoredBankData& other) override;
    bool loadInto (BankData& bank) override;
    bool storeFrom (BankData& bank) override;

    bool writeTo (juce::OutputStream& stream) override;
    bool readFrom (juce::InputStream& stream) override;
    int getChunkSize() const override;
    void resetToDefaults() override;

private:
    std::unique_ptr<BankData> bank;
};

#include "data/StoredBankData.h"

#include "app/Exception.h"
#include "app/FileReplacement.h"
#include "data/DataFile.h"
#include "resources/MessageBoxes.h"

BankDataInformation::BankDataInformation (const BankData& bank)
    : bankName (bank.getName()),
      effectType (bank.getEffect().getType()),
      fits (bank.fitsInMemory())
{
    for (int i = 0; i < SampleSet::numSamples; ++i)
        sampleNames.add (bank.getSample (i).getName());

    for (int i = 0; i < SequenceSet::numPatterns; ++i)
        patternNames.add (bank.getPattern (i)->getName());
}

// Banks of different kinds meet through a bank in memory.
bool StoredBankData::copyFrom (StoredBankData& other)
{
    BankData contents;
    return other.loadInto (contents) && storeFrom (contents);
}

bool StoredBankData::swapWith (StoredBankData& other)
{
    BankData mine, theirs;

    if (! loadInto (mine) || ! other.loadInto (theirs) || ! storeFrom (theirs))
        return false;

    if (other.storeFrom (mine))
        return true;

    storeFrom (mine);   // back to where both started
    return false;
}

FileBasedStoredBankData::FileBasedStoredBankData (std::shared_ptr<SwapFolder> swapFolder)
    : folder (std::move (swapFolder))
{
    if (folder == nullptr)
        return;

    // The folder is ours alone, so a leftover entry of this name can only
    // be a stale swap file; anything else there makes the name unusable.
    swapFile = folder->nextSwapFile();

    if (! SwapFolder::removeSwapFile (swapFile))
        return;

    BankData defaults;
    prepared = writeSwapFile (defaults);
    summarise (defaults);
}

FileBasedStoredBankData::~FileBasedStoredBankData()
{
    if (prepared)
        SwapFolder::removeSwapFile (swapFile);
}

bool FileBasedStoredBankData::writeSwapFile (BankData& bank)
{
    try
    {
        return (bool) DataFile::write (bank, swapFile, FileReplacement::Durability::temporary);
    }
    catch (const Exception&)
    {
        return false;
    }
}

bool FileBasedStoredBankData::readSwapFile (BankData& bank) const
{
    juce::FileInputStream in (swapFile);

    if (! in.openedOk())
        return false;

    try
    {
        return bank.readFrom (in);
    }
    catch (const Exception&)
    {
        return false;
    }
}

bool FileBasedStoredBankData::loadInto (BankData& bank)
{
    BankData contents;

    if (! readSwapFile (contents))
        return false;

    bank.copyFrom (contents);
    summarise (contents);
    return true;
}

bool FileBasedStoredBankData::storeFrom (BankData& bank)
{
    if (! writeSwapFile (bank))
        return false;

    summarise (bank);
    return true;
}

bool FileBasedStoredBankData::writeTo (juce::OutputStream& stream)
{
    BankData contents;

    if (! readSwapFile (contents))
        return false;

    summarise (contents);
    return contents.writeTo (stream);
}

bool FileBasedStoredBankData::readFrom (juce::InputStream& stream)
{
    BankData contents;
    contents.readFrom (stream);

    if (! writeSwapFile (contents))
        throw Exception ("Error_FileFailedToWriteTemporaryFile");

    summarise (contents);
    return true;
}

int FileBasedStoredBankData::getChunkSize() const
{
    return (int) swapFile.getSize();
}

void FileBasedStoredBankData::resetToDefaults()
{
    BankData defaults;
    storeFrom (defaults);
}

bool FileBasedStoredBankData::isValid() const
{
    if (! prepared)
        MessageBoxes::errorBox ("Error_FileFailedToPrepareTemporaryFile");

    return prepared;
}

bool FileBasedStoredBankData::copyFrom (StoredBankData& other)
{
    auto* source = dynamic_cast<FileBasedStoredBankData*> (&other);

    if (source == nullptr)
        return StoredBankData::copyFrom (other);

    const bool copied = (bool) FileReplacement::write (swapFile, [source] (juce::OutputStream& out)
    {
        juce::FileInputStream in (source->swapFile);
        return in.openedOk() && out.writeFromInputStream (in, -1) == in.getTotalLength();
    }, FileReplacement::Durability::temporary);

    if (copied)
        information = source->information;

    return copied;
}

bool FileBasedStoredBankData::swapWith (StoredBankData& other)
{
    auto* partner = dynamic_cast<FileBasedStoredBankData*> (&other);

    if (partner == nullptr)
        return StoredBankData::swapWith (other);

    std::swap (folder, partner->folder);
    std::swap (swapFile, partner->swapFile);
    std::swap (prepared, partner->prepared);
    std::swap (information, partner->information);
    return true;
}

// The summary changes with the bank only: every change below makes it anew.
MemoryBasedStoredBankData::MemoryBasedStoredBankData()
    : bank (std::make_unique<BankData>())
{
    // Summarised once: sets of banks, made for every file read, start with it.
    static const BankDataInformation defaults { BankData() };
    information = defaults;
}

bool MemoryBasedStoredBankData::loadInto (BankData& target)
{
    target.copyFrom (*bank);
    return true;
}

bool MemoryBasedStoredBankData::storeFrom (BankData& source)
{
    bank->copyFrom (source);
    summarise (*bank);
    return true;
}

bool MemoryBasedStoredBankData::writeTo (juce::OutputStream& stream)
{
    return bank->writeTo (stream);
}

bool MemoryBasedStoredBankData::readFrom (juce::InputStream& stream)
{
    auto contents = std::make_unique<BankData>();
    contents->readFrom (stream);
    bank = std::move (contents);
    summarise (*bank);
    return true;
}

int MemoryBasedStoredBankData::getChunkSize() const
{
    return bank->getChunkSize();
}

void MemoryBasedStoredBankData::resetToDefaults()
{
    bank->resetToDefaults();
    summarise (*bank);
}

bool MemoryBasedStoredBankData::copyFrom (StoredBankData& other)
{
    auto* source = dynamic_cast<MemoryBasedStoredBankData*> (&other);

    if (source == nullptr)
        return StoredBankData::copyFrom (other);

    bank->copyFrom (*source->bank);
    information = source->information;
    return true;
}

bool MemoryBasedStoredBankData::swapWith (StoredBankData& other)
{
    auto* partner = dynamic_cast<MemoryBasedStoredBankData*> (&other);

    if (partner == nullptr)
        return StoredBankData::swapWith (other);

    std::swap (bank, partner->bank);
    std::swap (information, partner->information);
    return true;
}

#include "data/AllData.h"

BankSet::BankSet (BankStorage storage)
{
    if (storage == BankStorage::memory)
    {
        for (int i = 0; i < numBanks; ++i)
            addChild (std::make_unique<MemoryBasedStoredBankData>());

        return;
    }

    const auto swapFolder = SwapFolder::forThisProcess();

    for (int i = 0; i < numBanks; ++i)
    {
        auto fileBased = std::make_unique<FileBasedStoredBankData> (swapFolder);

        if (fileBased->isValid())
            addChild (std::move (fileBased));
        else
            addChild (std::make_unique<MemoryBasedStoredBankData>());
    }
}

StoredBankData& BankSet::getBank (int index) const
{
    return static_cast<StoredBankData&> (getChild (index));
}

bool BankSet::loadInto (int index, BankData& bank) const
{
    return isBankIndex (index) && getBank (index).loadInto (bank);
}

bool BankSet::storeFrom (int index, BankData& bank) const
{
    return isBankIndex (index) && getBank (index).storeFrom (bank);
}

bool BankSet::allFit() const
{
    for (int i = 0; i < numBanks; ++i)
        if (! getBank (i).getInformation().fits)
            return false;

    return true;
}

bool BankSet::swapContentsWith (BankSet& other)
{
    for (int i = 0; i < numBanks; ++i)
    {
        if (getBank (i).swapWith (other.getBank (i)))
            continue;

        // A second exchange puts each bank back.
        while (--i >= 0)
            getBank (i).swapWith (other.getBank (i));

        return false;
    }

    return true;
}

AllData::AllData (BankStorage storage)
{
    addChild (std::make_unique<BankSet> (storage));
    addChild (std::make_unique<GlobalData>());
}

bool AllData::swapContentsWith (AllData& other)
{
    if (! getBankSet().swapContentsWith (other.getBankSet()))
        return false;

    const GlobalData mine (getGlobalData());
    getGlobalData().copyFrom (other.getGlobalData());
    other.getGlobalData().copyFrom (mine);
    return true;
}

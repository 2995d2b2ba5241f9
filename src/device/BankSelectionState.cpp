#include "device/BankSelectionState.h"

#include <algorithm>

bool BankSelectionState::isSelected (int bankIndex) const
{
    return isBankIndex (bankIndex) && flags[(size_t) bankIndex];
}

void BankSelectionState::setSelected (int bankIndex, bool selected)
{
    if (isBankIndex (bankIndex))
        flags[(size_t) bankIndex] = selected;
}

int BankSelectionState::getNumSelected() const
{
    return (int) std::count (flags.begin(), flags.end(), true);
}

juce::String ReceiveBankSelectionState::getFileName (int bankIndex) const
{
    return isBankIndex (bankIndex) ? fileNames[(size_t) bankIndex] : juce::String();
}

void ReceiveBankSelectionState::setFileName (int bankIndex, const juce::String& name)
{
    if (isBankIndex (bankIndex))
        fileNames[(size_t) bankIndex] = name;
}

juce::File WriteBankSelectionState::getFile (int bankIndex) const
{
    return isBankIndex (bankIndex) ? files[(size_t) bankIndex] : juce::File();
}

juce::String WriteBankSelectionState::getDisplayName (int bankIndex) const
{
    return isBankIndex (bankIndex) ? displayNames[(size_t) bankIndex] : juce::String();
}

void WriteBankSelectionState::setFile (int bankIndex, const juce::File& file, const juce::String& displayName)
{
    if (! isBankIndex (bankIndex))
        return;

    files[(size_t) bankIndex] = file;
    displayNames[(size_t) bankIndex] = displayName;
}

#pragma once

#include <juce_core/juce_core.h>

#include <array>

// Which of the banks A to H the bank memory window chose for a transfer.
// The window fills it on the message thread; a session takes a copy of the
// flags when it is made.
class BankSelectionState
{
public:
    static constexpr int numBanks = 8;
    using Flags = std::array<bool, numBanks>;

    virtual ~BankSelectionState() = default;

    // Indices outside 0 to 7 are never selected and cannot be selected.
    bool isSelected (int bankIndex) const;
    void setSelected (int bankIndex, bool selected);
    void clearSelection() { flags = {}; }

    const Flags& getFlags() const { return flags; }
    int getNumSelected() const;
    bool hasSeveralSelected() const { return getNumSelected() >= 2; }

protected:
    static bool isBankIndex (int index) { return index >= 0 && index < numBanks; }

private:
    Flags flags {};
};

// The banks to receive from the device, with the files they are saved to.
class ReceiveBankSelectionState : public BankSelectionState
{
public:
    juce::String getFileName (int bankIndex) const;
    void setFileName (int bankIndex, const juce::String& name);

    juce::File targetFolder;
    juce::String fileNamePrefix;

private:
    std::array<juce::String, numBanks> fileNames;
};

// The banks to write to the device, each from a bank file.
class WriteBankSelectionState : public BankSelectionState
{
public:
    juce::File getFile (int bankIndex) const;
    juce::String getDisplayName (int bankIndex) const;
    void setFile (int bankIndex, const juce::File& file, const juce::String& displayName);

private:
    std::array<juce::File, numBanks> files;
    std::array<juce::String, numBanks> displayNames;
};

#include "files/DataFileAccess.h"

#include "app/Exception.h"
#include "app/FileReplacement.h"
#include "data/AllData.h"
#include "data/BankData.h"
#include "data/DataFile.h"

namespace DataFileAccess
{
juce::String checkExists (const juce::File& file)
{
    return file.existsAsFile() ? juce::String() : juce::String ("Error_FileTargetFileNotExist");
}

juce::String checkWritable (const juce::File& file)
{
    const juce::String failure ("Error_FileFailedToOpenToSave");

    if (file.isDirectory())
        return failure;

    // Devices, pipes and sockets are never opened, not even to probe them.
    if (auto notAFile = FileReplacement::checkReplaceable (file); notAFile.isNotEmpty())
        return notAFile;

    if (! file.exists())
        return {};

    // Opening appends to the file; nothing is written here.
    juce::FileOutputStream probe (file);
    return probe.openedOk() ? juce::String() : failure;
}

juce::String read (Data& target, const juce::File& file)
{
    juce::FileInputStream stream (file);

    if (! stream.openedOk())
        return "Error_FileFailedToOpen";

    try
    {
        return target.readFrom (stream) ? juce::String() : juce::String ("Error_FileUnsupportedFormat");
    }
    catch (const Exception& e)
    {
        return e.getMessageKey();
    }
}

juce::String write (Data& root, const juce::File& file)
{
    if (auto notWritable = checkWritable (file); notWritable.isNotEmpty())
        return notWritable;

    try
    {
        return DataFile::write (root, file).errorKey;
    }
    catch (const Exception& e)
    {
        return e.getMessageKey();
    }
}

juce::String checkSampleMemoryToLoad (const BankData& bank)
{
    return bank.getFreeSampleMemory() >= 0 ? juce::String() : juce::String ("Error_NoFreeMemoryToLoadSample");
}

juce::String checkPatternMemoryToLoad (const BankData& bank)
{
    return bank.getFreePatternMemory() >= 0 ? juce::String() : juce::String ("Error_NoFreeMemoryToLoadPattern");
}

juce::String readBankMemory (AllData& bankMemory, const juce::File& file)
{
    AllData fresh;

    if (auto failure = read (fresh, file); failure.isNotEmpty())
        return failure;

    return bankMemory.swapContentsWith (fresh) ? juce::String() : juce::String ("Error_FileFailedToWriteTemporaryFile");
}
}

#include "data/DataCenter.h"

#include "app/Exception.h"
#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "app/UserFolders.h"
#include "data/DataFile.h"
#include "resources/MessageBoxes.h"

DataCenter::DataCenter (const StringTable& strings)
    : allData (std::make_unique<AllData>()),
      editBank (std::make_unique<BankData>()),
      globalData (std::make_unique<GlobalData>()),
      parameterStrings (strings),
      effectAccessor (std::make_unique<EffectParameterAccessor> (strings, [this] { return editBank->getTempo(); }))
{
    readGlobalSettings();
}

DataCenter::~DataCenter()
{
    writeGlobalSettings();
}

juce::File DataCenter::getGlobalSettingsFile()
{
    return UserFolders::getSettingsFolder().getChildFile (globalSettingsFileName);
}

void DataCenter::readGlobalSettings()
{
    const auto file = getGlobalSettingsFile();

    if (! file.existsAsFile())
        return;

    // A damaged file leaves the defaults in place; the next shutdown
    // replaces it.
    juce::FileInputStream in (file);
    GlobalData settings;

    try
    {
        if (in.openedOk() && settings.readFrom (in))
            globalData->copyFrom (settings);
    }
    catch (const Exception&)
    {
    }
}

void DataCenter::writeGlobalSettings()
{
    try
    {
        DataFile::write (*globalData, getGlobalSettingsFile());
    }
    catch (const Exception&)
    {
        // Shutdown goes on; the old settings file is still there.
    }
}

bool DataCenter::checkSampleMemory() const
{
    if (editBank->getFreeSampleMemory() >= 0)
        return true;

    MessageBoxes::errorBox ("Error_NoFreeMemoryToCopySample");
    return false;
}

bool DataCenter::checkPatternMemory() const
{
    if (editBank->getFreePatternMemory() >= 0)
        return true;

    MessageBoxes::errorBox ("Error_NoFreeMemoryToCopyPattern");
    return false;
}

bool DataCenter::copySample (int source, int destination)
{
    if (! isSampleIndex (source) || ! isSampleIndex (destination) || ! checkSampleMemory())
        return false;

    editBank->getSample (destination).copyFrom (editBank->getSample (source));
    modified = true;
    sampleHasChanged (destination);
    return true;
}

bool DataCenter::swapSamples (int first, int second)
{
    if (! isSampleIndex (first) || ! isSampleIndex (second))
        return false;

    auto& a = editBank->getSample (first);
    auto& b = editBank->getSample (second);
    const SampleData firstCopy (a);
    a.copyFrom (b);
    b.copyFrom (firstCopy);
    modified = true;
    sampleHasChanged (first);
    sampleHasChanged (second);
    return true;
}

void DataCenter::sampleHasChanged (int index)
{
    if (sampleChanged)
        sampleChanged (index);

    if (index == editBank->getSampleSet().getCurrentSampleIndex())
        MessageEngine::broadcast (MessageIds::dataChanged);
}

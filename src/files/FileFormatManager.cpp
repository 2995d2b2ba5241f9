#include "files/FileFormatManager.h"

#include "audio/io/SampleImportExportManager.h"

FileFormatManager::FileFormatManager()
{
    types = { { allDataExtension, allData },
              { bankExtension, bankData },
              { sampleExtension, sampleData },
              { sequenceSetExtension, sequenceSet },
              { globalExtension, globalData },
              { waveExtension, importableAudio },
              { aiffExtension, importableAudio },
              { ".aiff", importableAudio },
              { smfExtension, smf } };

    const auto* quickTime = QuickTimeManager::getInstancePointer();

    if (quickTime != nullptr && quickTime->isAvailable())
    {
        types[".mp3"] = importableAudio;
        types[".mp4"] = importableAudio;
    }
}

int FileFormatManager::getFileType (const juce::String& extension) const
{
    const auto found = types.find (extension.toLowerCase());
    return found != types.end() ? found->second : unknown;
}

int FileFormatManager::typeOf (const juce::File& file)
{
    const auto* formats = getInstancePointer();
    return formats != nullptr ? formats->getFileType (file) : unknown;
}

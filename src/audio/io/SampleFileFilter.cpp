#include "audio/io/SampleFileFilter.h"

#include "files/FileFormatManager.h"

SampleFileFilter::SampleFileFilter()
    : juce::FileFilter ("SampleFileFilter")
{
}

bool SampleFileFilter::isFileSuitable (const juce::File& file) const
{
    return isListedType (FileFormatManager::typeOf (file));
}

bool SampleFileFilter::isListedType (int fileType)
{
    switch (fileType)
    {
        case FileFormatManager::bankData:
        case FileFormatManager::sampleData:
        case FileFormatManager::sequenceSet:
        case FileFormatManager::importableAudio:
        case FileFormatManager::smf:
            return true;

        default:
            return false;
    }
}

#include "audio/io/ThreadRunningSampleImporter.h"

#include "audio/io/SampleImportExportManager.h"
#include "data/SampleData.h"

namespace
{
constexpr double loadingShare = 0.99;   // of the whole progress
}

ThreadRunningSampleImporter::ThreadRunningSampleImporter (SampleData& targetSample, const juce::File& file,
                                                          FreeMemoryQuery query)
    : ThreadRunningAction ("SampleImport"),
      target (targetSample),
      freeSampleMemory (std::move (query)),
      importer (SampleImportExportManager::createImporterFor (file))
{
    if (importer != nullptr)
        importer->setProgressCallback ([this] (int percent) { setProgress (percent * loadingShare * 0.01); });
}

ThreadRunningSampleImporter::~ThreadRunningSampleImporter()
{
    cancel();
    stopThread (-1);
}

int ThreadRunningSampleImporter::frameLimitFor (juce::int64 targetMemoryBytes, juce::int64 freeMemory)
{
    // 4 bytes are one 16-bit stereo frame, whatever the file's channels.
    const juce::int64 limit = (targetMemoryBytes + freeMemory + SampleDataFsConverter::bankSampleMemory) / 4;
    return (int) juce::jlimit ((juce::int64) 1, (juce::int64) std::numeric_limits<int>::max() - 1, limit);
}

void ThreadRunningSampleImporter::takeOverSlot (SampleData& imported, const SampleData& slot, const juce::File& file)
{
    const int start = imported.getParameter (SampleData::start);
    const int end = imported.getParameter (SampleData::end);

    uint8_t block[SampleData::parameterBlockSize];
    slot.buildParameterBlock (block);
    imported.parseParameterBlock (block);

    imported.setParameter (SampleData::start, start);
    imported.setParameter (SampleData::end, end);
    imported.setParameter (SampleData::originalBpm, slot.getParameter (SampleData::originalBpm));
    imported.setSourceFileName (file.getFileNameWithoutExtension());
}

void ThreadRunningSampleImporter::run()
{
    if (importer == nullptr)
        return finishWith ({}, true);

    // The import is built beside the target, which keeps its audio until
    // the import is complete; only the parameters are copied.
    SampleData imported;
    imported.copyParametersFrom (target);

    const int result = load (imported);
    if (result == loadFailed)
        return;

    imported.setParameter (SampleData::start, 0);
    imported.setParameter (SampleData::end, imported.getNumFrames() - 2);
    {
        const juce::ScopedLock scopedLock (lock);
        converter.reset();
    }

    switch (result)
    {
        case SampleDataFsConverter::converted:
            target.takeFrom (std::move (imported));
            succeeded = true;
            setProgress (1.0);
            return finishWith ("ThreadRunningSampleImporter_Finished", false);
        case SampleDataFsConverter::cancelled:
            return finishWith ("ThreadRunningSampleImporter_Canceled", false);
        case SampleDataFsConverter::notEnoughMemory:
            return finishWith ("Error_NoFreeMemoryToFsConvert", true);
        default:
            return finishWith ("ThreadRunningSampleImporter_FailedToImport", true);
    }
}

// Audio at one of the device's rates is read as it is; any other is
// converted to 48 kHz as it is read.
int ThreadRunningSampleImporter::load (SampleData& imported)
{
    const juce::int64 freeMemory = freeSampleMemory ? freeSampleMemory() : 0;
    const int limit = frameLimitFor (target.getMemorySize(), freeMemory);

    setStatusText ("ThreadRunningSampleImporter_Loading");
    auto source = importer->openSource (limit);

    if (source == nullptr)
    {
        if (importer->isCancelRequested())
            finishWith ("ThreadRunningSampleImporter_Canceled", false);
        else if (importer->hasTooManyChannels())
            finishWith ("Error_FileOver2Channel", true);
        else
            finishWith ("ThreadRunningSampleImporter_FailedToImport", true);
        return loadFailed;
    }

    if (SampleDataFsConverter::isDeviceRate (source->getFileSampleRate()))
    {
        if (importer->readSource (*source, imported))
            return SampleDataFsConverter::converted;

        finishWith ("ThreadRunningSampleImporter_Canceled", false);
        return loadFailed;
    }

    setStatusText ("ThreadRunningSampleImporter_Converting");
    return convertRate (*source, imported);
}

int ThreadRunningSampleImporter::convertRate (AudioFormatReaderInput& source, SampleData& imported)
{
    SampleDataFsConverter* running = nullptr;
    {
        const juce::ScopedLock scopedLock (lock);
        converter = std::make_unique<SampleDataFsConverter> (freeSampleMemory);
        if (importer->isCancelRequested())
            converter->cancel();
        running = converter.get();
    }
    return running->convertSource (source, source.getFileSampleRate(), imported, 48000.0);
}

void ThreadRunningSampleImporter::cancel()
{
    const juce::ScopedLock scopedLock (lock);

    if (importer != nullptr)
        importer->cancel();
    if (converter != nullptr)
        converter->cancel();
}

void ThreadRunningSampleImporter::finishWith (const juce::String& statusKey, bool failure)
{
    if (statusKey.isNotEmpty())
        setStatusText (statusKey);
    if (failure)
        setFailed();
    setFinished();
}

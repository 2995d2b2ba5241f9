#include "audio/io/SampleImportExportManager.h"

#include "app/ForwardingOutputStream.h"

namespace
{
juce::StringArray extensionsOf (juce::AudioFormat&& format)
{
    return format.getFileExtensions();
}
}

juce::StringArray SampleImportExportManager::getImportableExtensions()
{
    juce::StringArray extensions = extensionsOf (juce::WavAudioFormat());
    extensions.addArray (extensionsOf (juce::AiffAudioFormat()));
    return extensions;
}

std::unique_ptr<SampleImporter> SampleImportExportManager::createImporterFor (const juce::File& file)
{
    auto openStream = [&file]() -> std::unique_ptr<juce::InputStream>
    {
        auto stream = std::make_unique<juce::FileInputStream> (file);
        if (! stream->openedOk())
            return {};
        return stream;
    };

    if (juce::WavAudioFormat().canHandleFile (file))
        if (auto stream = openStream())
            return std::make_unique<WaveSampleImporter> (std::move (stream));

    if (juce::AiffAudioFormat().canHandleFile (file))
        if (auto stream = openStream())
            return std::make_unique<AiffSampleImporter> (std::move (stream));

    return {};
}

std::unique_ptr<SampleExporter> SampleImportExportManager::createWaveExporter (std::unique_ptr<juce::OutputStream> stream)
{
    return std::make_unique<WaveSampleExporter> (std::move (stream));
}

std::unique_ptr<SampleExporter> SampleImportExportManager::createAiffExporter (std::unique_ptr<juce::OutputStream> stream)
{
    return std::make_unique<AiffSampleExporter> (std::move (stream));
}

FileReplacement::Result SampleImportExportManager::exportToFile (const SampleData& sample, const juce::File& file,
                                                                  ExportFormat format)
{
    return FileReplacement::write (file, [&] (juce::OutputStream& out)
    {
        // The framework's writer owns its stream and finishes the file (its
        // header) when it goes, before the export returns.
        auto stream = std::make_unique<ForwardingOutputStream> (out);
        auto exporter = format == ExportFormat::wave ? createWaveExporter (std::move (stream))
                                                     : createAiffExporter (std::move (stream));
        return exporter->exportSample (sample, 0);
    });
}

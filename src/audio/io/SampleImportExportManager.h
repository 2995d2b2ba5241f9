#pragma once

#include "app/CZQVSingleton.h"
#include "app/FileReplacement.h"
#include "audio/io/SampleExporter.h"
#include "audio/io/SampleImporter.h"

// Whether the platform's QuickTime media framework can be used for import.
// Nothing sets the flag on this platform, so no QuickTime importer exists.
class QuickTimeManager : public CZQVSingleton<QuickTimeManager>
{
public:
    bool isAvailable() const { return available; }

private:
    bool available = false;
};

// Chooses importers and exporters for audio files.
class SampleImportExportManager
{
public:
    // ".wav", ".bwf", ".aiff", ".aif" (the WAV then the AIFF format's list).
    static juce::StringArray getImportableExtensions();

    // An importer for the file's extension owning a stream on the file, or
    // null when no format matches or the file cannot be opened. The content
    // is not examined here.
    static std::unique_ptr<SampleImporter> createImporterFor (const juce::File& file);

    static std::unique_ptr<SampleExporter> createWaveExporter (std::unique_ptr<juce::OutputStream> stream);
    static std::unique_ptr<SampleExporter> createAiffExporter (std::unique_ptr<juce::OutputStream> stream);

    enum class ExportFormat { wave, aiff };

    // Exports the sample as a 16-bit audio file that replaces file as a
    // whole or not at all.
    static FileReplacement::Result exportToFile (const SampleData& sample, const juce::File& file, ExportFormat format);
};

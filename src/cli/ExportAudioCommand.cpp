#include "audio/io/SampleImportExportManager.h"
#include "cli/SampleFileTool.h"
#include "data/SampleData.h"

namespace
{
// Writes a sample file's audio as a 16-bit WAV or AIFF file.
class ExportAudioCommand : public CliCommand
{
public:
    juce::String getName() const override { return "export-audio"; }
    juce::String getSummary() const override { return "export a sample file as a 16-bit WAV or AIFF file"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli export-audio IN.plvr_sample OUT.(wav|aif|aiff)\n\n"
               "Writes the audio of the sample in IN (all frames but the silent guard\n"
               "frame) to OUT as 16-bit audio at the sample's rate; the format follows\n"
               "OUT's extension.";
    }

    int run (CliContext& context) override
    {
        if (context.arguments.size() != 2)
            return CliReport::usageError (context, *this, "export-audio takes IN and OUT");

        const auto input = SampleFileTool::resolve (context.arguments[0]);
        const auto output = SampleFileTool::resolve (context.arguments[1]);
        const bool wave = output.hasFileExtension ("wav");

        if (! wave && ! output.hasFileExtension ("aif;aiff"))
            return CliReport::usageError (context, *this, "OUT must end in .wav, .aif or .aiff");

        SampleData sample;
        const auto readError = SampleFileTool::readFile (input, sample);
        if (readError.isNotEmpty())
            return CliReport::failure (context, readError);

        using Format = SampleImportExportManager::ExportFormat;
        const auto error = SampleImportExportManager::exportToFile (sample, output, wave ? Format::wave : Format::aiff).errorKey;

        if (error.isNotEmpty())
            return CliReport::failure (context, error);

        return SampleFileTool::reportWritten (context, output, sample);
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<ExportAudioCommand>(); });
}

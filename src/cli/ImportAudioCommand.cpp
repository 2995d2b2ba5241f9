#include "audio/io/ThreadRunningSampleImporter.h"
#include "cli/InterruptCatcher.h"
#include "cli/SampleFileTool.h"
#include "data/SampleData.h"
#include "files/DataFileAccess.h"

#include <ostream>
#include <unistd.h>

namespace
{
// Imports a WAV or AIFF file into a sample file, converting its rate.
class ImportAudioCommand : public CliCommand
{
public:
    juce::String getName() const override { return "import-audio"; }
    juce::String getSummary() const override { return "import a WAV or AIFF file into a sample file"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli import-audio IN.(wav|aif|aiff) OUT.plvr_sample [--name NAME]\n\n"
               "Imports the audio of IN into a default sample (named INITSMPL unless NAME\n"
               "is given) and writes it to OUT. Audio at a rate the device does not play\n"
               "is converted to 48000 Hz; mono and stereo files only. Progress goes to\n"
               "standard error when that is a terminal. An interrupted import writes nothing.";
    }

    int run (CliContext& context) override
    {
        auto arguments = context.arguments;
        juce::String name = SampleData::defaultName;

        if (! SampleFileTool::takeOption (arguments, "--name", name))
            return CliReport::usageError (context, *this, "--name needs a value");
        if (arguments.size() != 2)
            return CliReport::usageError (context, *this, "import-audio takes IN and OUT");

        const auto input = SampleFileTool::resolve (arguments[0]);
        const auto output = SampleFileTool::resolve (arguments[1]);

        if (! input.existsAsFile())
            return CliReport::failure (context, "Error_FileTargetFileNotExist");

        SampleData sample;
        const auto error = importInto (sample, input);
        if (error.isNotEmpty())
            return CliReport::failure (context, error);

        SampleData slot;
        slot.setName (name);
        ThreadRunningSampleImporter::takeOverSlot (sample, slot, input);

        const auto writeError = DataFileAccess::write (sample, output);
        if (writeError.isNotEmpty())
            return CliReport::failure (context, writeError);

        return SampleFileTool::reportWritten (context, output, sample);
    }

private:
    static juce::String importInto (SampleData& sample, const juce::File& input)
    {
        // The sample stands alone, as in an otherwise empty bank.
        ThreadRunningSampleImporter job (sample, input, [] { return SampleDataFsConverter::bankSampleMemory; });
        const bool showProgress = isatty (STDERR_FILENO) != 0;

        const InterruptCatcher interrupts;
        job.startThread();
        while (! job.waitForThreadToExit (100))
        {
            if (interrupts.wasInterrupted())
                job.cancel();
            if (showProgress)
                std::cerr << "\r" << job.getStatusText() << " " << juce::roundToInt (job.getProgress() * 100.0)
                          << "%   " << std::flush;
        }

        if (showProgress)
            std::cerr << "\r" << std::string (60, ' ') << "\r" << std::flush;

        if (job.hasSucceeded())
            return {};

        const auto status = job.getStatusText();
        return status.isNotEmpty() ? status : juce::String ("Error_FileUnsupportedFormat");
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<ImportAudioCommand>(); });
}

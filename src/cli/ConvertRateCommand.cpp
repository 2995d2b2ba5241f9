#include "audio/edit/SampleDataFsConverter.h"
#include "cli/SampleFileTool.h"
#include "data/SampleData.h"
#include "files/DataFileAccess.h"

namespace
{
// The Convert to 48/24/12/6 kHz commands on a sample file.
class ConvertRateCommand : public CliCommand
{
public:
    juce::String getName() const override { return "convert-rate"; }
    juce::String getSummary() const override { return "convert a sample file to 48, 24, 12 or 6 kHz"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli convert-rate IN.plvr_sample OUT.plvr_sample --rate 48000|24000|12000|6000\n\n"
               "Converts the sample as the device does: lower rates keep every n-th frame,\n"
               "higher ones repeat each frame. The start and end points are scaled.";
    }

    int run (CliContext& context) override
    {
        auto arguments = context.arguments;
        juce::String rateText;

        if (! SampleFileTool::takeOption (arguments, "--rate", rateText) || rateText.isEmpty())
            return CliReport::usageError (context, *this, "--rate is required");

        int rate = 0;
        if (! SampleFileTool::parseInt (rateText, rate) || ! SampleDataFsConverter::isDeviceRate (rate))
            return CliReport::usageError (context, *this, "--rate must be 48000, 24000, 12000 or 6000");
        if (arguments.size() != 2)
            return CliReport::usageError (context, *this, "convert-rate takes IN and OUT");

        const auto output = SampleFileTool::resolve (arguments[1]);
        SampleData sample;
        const auto readError = SampleFileTool::readFile (SampleFileTool::resolve (arguments[0]), sample);
        if (readError.isNotEmpty())
            return CliReport::failure (context, readError);

        // The sample stands alone, as in an otherwise empty bank.
        const juce::int64 freeMemory = SampleDataFsConverter::bankSampleMemory - sample.getMemorySize();
        SampleDataFsConverter converter ([freeMemory] { return freeMemory; });

        switch (converter.convert (sample, rate))
        {
            case SampleDataFsConverter::converted: break;
            case SampleDataFsConverter::notEnoughMemory: return CliReport::failure (context, "Error_NoFreeMemoryToFsConvert");
            default: return CliReport::failure (context, "ThreadRunningSampleImporter_FailedToImport");
        }

        const auto writeError = DataFileAccess::write (sample, output);
        if (writeError.isNotEmpty())
            return CliReport::failure (context, writeError);

        return SampleFileTool::reportWritten (context, output, sample);
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<ConvertRateCommand>(); });
}

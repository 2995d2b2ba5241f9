#include "audio/edit/WaveOperations.h"
#include "cli/SampleFileTool.h"
#include "data/SampleData.h"
#include "files/DataFileAccess.h"

#include <map>

namespace
{
const std::map<juce::String, WaveOperations::Operation> operations {
    { "delete", WaveOperations::deleteSelection },
    { "truncate", WaveOperations::truncate },
    { "silence", WaveOperations::silence },
    { "normalize", WaveOperations::normalize },
    { "fade-in", WaveOperations::fadeIn },
    { "fade-out", WaveOperations::fadeOut },
};

// One waveform command on a sample file.
class WaveEditCommand : public CliCommand
{
public:
    juce::String getName() const override { return "wave-edit"; }
    juce::String getSummary() const override { return "edit the audio of a sample file"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli wave-edit IN.plvr_sample OUT.plvr_sample\n"
               "           --op delete|truncate|silence|normalize|fade-in|fade-out\n"
               "           [--start S --end E] [--channels both|0|1]\n\n"
               "Applies the operation to frames S to E (both included) of the chosen\n"
               "channels; without a range, to all real frames (Select All). A range\n"
               "that does not fit the sample (S after E, a frame before 0 or past the\n"
               "last real frame) fails with Error_WaveEditInvalidSelection and writes\n"
               "nothing.";
    }

    int run (CliContext& context) override
    {
        auto arguments = context.arguments;
        juce::String opName, startText, endText, channels ("both");

        if (! SampleFileTool::takeOption (arguments, "--op", opName)
            || ! SampleFileTool::takeOption (arguments, "--start", startText)
            || ! SampleFileTool::takeOption (arguments, "--end", endText)
            || ! SampleFileTool::takeOption (arguments, "--channels", channels))
            return CliReport::usageError (context, *this, "an option lacks its value");

        const auto operation = operations.find (opName);
        if (operation == operations.end())
            return CliReport::usageError (context, *this, "--op must name one of the operations");
        if (startText.isEmpty() != endText.isEmpty())
            return CliReport::usageError (context, *this, "--start and --end go together");
        if (channels != "both" && channels != "0" && channels != "1")
            return CliReport::usageError (context, *this, "--channels must be both, 0 or 1");
        if (arguments.size() != 2)
            return CliReport::usageError (context, *this, "wave-edit takes IN and OUT");

        int start = 0, end = 0;
        if (startText.isNotEmpty() && ! (SampleFileTool::parseInt (startText, start) && SampleFileTool::parseInt (endText, end)))
            return CliReport::usageError (context, *this, "--start and --end take frame numbers");

        SampleData sample;
        const auto readError = SampleFileTool::readFile (SampleFileTool::resolve (arguments[0]), sample);
        if (readError.isNotEmpty())
            return CliReport::failure (context, readError);

        auto selection = WaveOperations::selectAll (sample);
        if (startText.isNotEmpty())
            selection.start = start, selection.end = end;

        selection.channelFlags[0] = channels != "1" ? 1 : 0;
        selection.channelFlags[1] = channels != "0" ? 1 : 0;
        const auto editError = operation->second (sample, selection);
        if (editError.isNotEmpty())
            return CliReport::failure (context, editError);

        const auto output = SampleFileTool::resolve (arguments[1]);
        const auto writeError = DataFileAccess::write (sample, output);
        if (writeError.isNotEmpty())
            return CliReport::failure (context, writeError);

        return SampleFileTool::reportWritten (context, output, sample);
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<WaveEditCommand>(); });
}

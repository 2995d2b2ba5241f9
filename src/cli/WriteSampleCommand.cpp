#include "cli/CliCommand.h"
#include "cli/DeviceCommand.h"
#include "cli/SampleFileTool.h"
#include "cli/SampleKeyArgument.h"
#include "device/SampleTransfers.h"

namespace
{
// Transmits a sample file to one slot of the device's current bank.
class WriteSampleCommand : public CliCommand
{
public:
    juce::String getName() const override { return "write-sample"; }
    juce::String getSummary() const override { return "transmit a sample file to the device"; }
    juce::String getUsage() const override
    {
        return juce::String ("usage: plovara-cli [--device DEVICE] write-sample IN.plvr_sample KEY [--parameters-only] [--json]\n\n"
                             "Transmits the sample's header, audio and parameters to one slot of the\n"
                             "device's current bank; with --parameters-only just its parameters. ")
             + SampleKeyArgument::description + ".";
    }

    int run (CliContext& context) override
    {
        auto arguments = context.arguments;
        const bool parametersOnly = arguments.contains ("--parameters-only");
        arguments.removeString ("--parameters-only");

        if (arguments.size() != 2)
            return CliReport::usageError (context, *this, "write-sample takes a sample file and a KEY");

        const int index = SampleKeyArgument::parse (arguments[1]);
        if (index < 0)
            return CliReport::usageError (context, *this, "'" + arguments[1] + "' names no sample");

        SampleData sample;
        if (const auto failure = SampleFileTool::readFile (DeviceCommand::resolve (arguments[0]), sample); failure.isNotEmpty())
            return CliReport::failure (context, failure);

        const auto mode = parametersOnly ? SampleWrite::parametersOnly : SampleWrite::everything;

        return DeviceCommand::run (context, *this, std::make_unique<SampleWrite> (sample, index, mode), [&]
        {
            DeviceCommand::Outcome outcome;
            outcome.facts->setProperty ("key", SampleKeyArgument::keyName (index));
            outcome.facts->setProperty ("index", index);
            outcome.facts->setProperty ("parametersOnly", parametersOnly);
            outcome.facts->setProperty ("name", sample.getName());
            outcome.facts->setProperty ("pcmBytes", parametersOnly ? 0 : sample.getPcmByteCount());
            return outcome;
        });
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<WriteSampleCommand>(); });
}

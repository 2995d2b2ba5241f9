#include "app/Exception.h"
#include "cli/CliCommand.h"
#include "cli/Describe.h"
#include "cli/DeviceCommand.h"
#include "cli/SampleFileTool.h"
#include "cli/SampleKeyArgument.h"
#include "device/SampleTransfers.h"
#include "files/DataFileAccess.h"

namespace
{
// Receives one sample of the device's current bank into a sample file.
class ReceiveSampleCommand : public CliCommand
{
public:
    juce::String getName() const override { return "receive-sample"; }
    juce::String getSummary() const override { return "receive a sample from the device into a sample file"; }
    juce::String getUsage() const override
    {
        return juce::String ("usage: plovara-cli [--device DEVICE] receive-sample KEY OUT.plvr_sample [--json]\n\n"
                             "Receives header, audio and parameters of one sample of the device's current\n"
                             "bank and writes them as a sample file; the file is written only when the\n"
                             "whole sample arrived. ") + SampleKeyArgument::description + ".";
    }

    int run (CliContext& context) override
    {
        if (context.arguments.size() != 2)
            return CliReport::usageError (context, *this, "receive-sample takes a KEY and an output file");

        const int index = SampleKeyArgument::parse (context.arguments[0]);
        if (index < 0)
            return CliReport::usageError (context, *this, "'" + context.arguments[0] + "' names no sample");

        const auto output = DeviceCommand::resolve (context.arguments[1]);
        auto session = std::make_unique<SampleReceive> (index);
        auto* receive = session.get();

        return DeviceCommand::run (context, *this, std::move (session), [&]
        {
            // The file takes a copy: writing may not change the received sample.
            SampleData sample (receive->getReceivedSample());

            if (const auto failure = DataFileAccess::write (sample, output); failure.isNotEmpty())
                throw Exception (failure);

            DeviceCommand::Outcome outcome;
            outcome.facts->setProperty ("key", SampleKeyArgument::keyName (index));
            outcome.facts->setProperty ("index", index);
            outcome.facts->setProperty ("output", output.getFullPathName());
            outcome.facts->setProperty ("sample", juce::var (Describe::sample (sample).get()));
            return outcome;
        });
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<ReceiveSampleCommand>(); });
}

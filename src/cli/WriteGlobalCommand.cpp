#include "cli/CliCommand.h"
#include "cli/DeviceCommand.h"
#include "cli/Describe.h"
#include "device/GlobalTransfers.h"

namespace
{
// Writes a global file to the device.
class WriteGlobalCommand : public CliCommand
{
public:
    juce::String getName() const override { return "write-global"; }
    juce::String getSummary() const override { return "write a global file to the device"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli [--device DEVICE] write-global IN.plvr_glob [--json]\n\n"
               "Writes the global settings of the file to the device. The device refuses\n"
               "them while its memory protect setting is on.";
    }

    int run (CliContext& context) override
    {
        if (context.arguments.size() != 1)
            return CliReport::usageError (context, *this, "write-global takes a global file");

        GlobalData global;
        if (const auto failure = DeviceCommand::readFile (DeviceCommand::resolve (context.arguments[0]), global); failure.isNotEmpty())
            return CliReport::failure (context, failure);

        return DeviceCommand::run (context, *this, std::make_unique<GlobalWrite> (global), [&]
        {
            DeviceCommand::Outcome outcome;
            outcome.facts->setProperty ("global", juce::var (Describe::global (global).get()));
            return outcome;
        });
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<WriteGlobalCommand>(); });
}

#include "cli/CliCommand.h"
#include "cli/DeviceCommand.h"
#include "cli/Describe.h"
#include "device/GlobalTransfers.h"

namespace
{
// Receives the device's global data into a global file.
class ReceiveGlobalCommand : public CliCommand
{
public:
    juce::String getName() const override { return "receive-global"; }
    juce::String getSummary() const override { return "receive the device's global data into a global file"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli [--device DEVICE] receive-global OUT.plvr_glob [--json]\n\n"
               "Receives the device's global settings and writes them as a global file,\n"
               "only when they arrived.";
    }

    int run (CliContext& context) override
    {
        if (context.arguments.size() != 1)
            return CliReport::usageError (context, *this, "receive-global takes an output file");

        const auto output = DeviceCommand::resolve (context.arguments[0]);
        GlobalData global;

        return DeviceCommand::run (context, *this, std::make_unique<GlobalReceive> (global), [&]
        {
            DeviceCommand::writeFile (output, global);

            DeviceCommand::Outcome outcome;
            outcome.facts->setProperty ("output", output.getFullPathName());
            outcome.facts->setProperty ("global", juce::var (Describe::global (global).get()));
            return outcome;
        });
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<ReceiveGlobalCommand>(); });
}

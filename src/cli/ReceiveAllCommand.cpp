#include "cli/BankTransferCommandSupport.h"
#include "cli/Describe.h"
#include "data/AllData.h"
#include "device/MultiBankReceive.h"

namespace
{
// The backup: every bank of the device and its global data into a bank
// memory file.
class ReceiveAllCommand : public CliCommand
{
public:
    juce::String getName() const override { return "receive-all"; }
    juce::String getSummary() const override { return "back up all banks and the global data of the device"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli [--device DEVICE] receive-all OUT.plvr_all [--json]\n\n"
               "Receives banks A to H and then the global data, and writes them as a bank\n"
               "memory file, only when all of it arrived. Ctrl+C cancels; the device then\n"
               "leaves its bank dump mode and no file is written.";
    }

    int run (CliContext& context) override
    {
        if (context.arguments.size() != 1)
            return CliReport::usageError (context, *this, "receive-all takes an output file");

        const auto output = DeviceCommand::resolve (context.arguments[0]);
        AllData all;

        return BankTransferCommandSupport::run (context, *this, std::make_unique<AllBankReceive> (all), [&]
        {
            DeviceCommand::writeFile (output, all);

            DeviceCommand::Outcome outcome;
            outcome.facts->setProperty ("output", output.getFullPathName());
            outcome.facts->setProperty ("banks", Describe::allData (all)->getProperty ("banks"));
            return outcome;
        });
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<ReceiveAllCommand>(); });
}

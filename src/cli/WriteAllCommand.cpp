#include "cli/BankTransferCommandSupport.h"
#include "cli/Describe.h"
#include "data/AllData.h"
#include "device/MultiBankWrite.h"

namespace
{
// The restore: every bank and the global data of a bank memory file to the
// device.
class WriteAllCommand : public CliCommand
{
public:
    juce::String getName() const override { return "write-all"; }
    juce::String getSummary() const override { return "restore all banks and the global data to the device"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli [--device DEVICE] write-all IN.plvr_all [--json]\n\n"
               "Writes banks A to H of the bank memory file and then its global data to\n"
               "the device. Nothing is sent when a bank does not fit the device's memory.\n"
               "Ctrl+C cancels after the running sample or pattern; the device then leaves\n"
               "its bank dump mode and the command fails.";
    }

    int run (CliContext& context) override
    {
        if (context.arguments.size() != 1)
            return CliReport::usageError (context, *this, "write-all takes a bank memory file");

        AllData all;
        if (const auto failure = DeviceCommand::readFile (DeviceCommand::resolve (context.arguments[0]), all); failure.isNotEmpty())
            return CliReport::failure (context, failure);

        return BankTransferCommandSupport::run (context, *this, std::make_unique<AllBankWrite> (all), [&]
        {
            DeviceCommand::Outcome outcome;
            outcome.facts->setProperty ("banks", Describe::allData (all)->getProperty ("banks"));
            return outcome;
        });
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<WriteAllCommand>(); });
}

#include "cli/CliCommand.h"
#include "cli/DeviceCommand.h"
#include "cli/Describe.h"
#include "data/BankData.h"
#include "device/EffectTransfers.h"

namespace
{
// Writes the effect of a bank file to the device's current bank.
class WriteEffectCommand : public CliCommand
{
public:
    juce::String getName() const override { return "write-effect"; }
    juce::String getSummary() const override { return "write the effect of a bank file to the device"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli [--device DEVICE] write-effect FROM.plvr_bank [--json]\n\n"
               "Writes the master effect of the bank file to the device's current bank.";
    }

    int run (CliContext& context) override
    {
        if (context.arguments.size() != 1)
            return CliReport::usageError (context, *this, "write-effect takes a bank file");

        BankData bank;
        if (const auto failure = DeviceCommand::readFile (DeviceCommand::resolve (context.arguments[0]), bank); failure.isNotEmpty())
            return CliReport::failure (context, failure);

        const auto& effect = bank.getEffect();

        return DeviceCommand::run (context, *this, std::make_unique<EffectWrite> (effect), [&]
        {
            DeviceCommand::Outcome outcome;
            outcome.facts->setProperty ("effect", juce::var (Describe::effect (effect).get()));
            return outcome;
        });
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<WriteEffectCommand>(); });
}

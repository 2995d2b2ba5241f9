#include "cli/BankTransferCommandSupport.h"
#include "data/SequenceData.h"
#include "device/PatternSetTransfer.h"

namespace
{
// A pattern-set file to the device's current bank.
class WritePatternsCommand : public CliCommand
{
public:
    juce::String getName() const override { return "write-patterns"; }
    juce::String getSummary() const override { return "write a pattern-set file to the device"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli [--device DEVICE] write-patterns IN.plvr_seq [--json]\n\n"
               "Writes the 16 patterns of the file to the device's current bank. Nothing\n"
               "is sent when they need more than the device's pattern memory.";
    }

    int run (CliContext& context) override
    {
        if (context.arguments.size() != 1)
            return CliReport::usageError (context, *this, "write-patterns takes a pattern-set file");

        SequenceSet patterns;
        if (const auto failure = DeviceCommand::readFile (DeviceCommand::resolve (context.arguments[0]), patterns); failure.isNotEmpty())
            return CliReport::failure (context, failure);

        return BankTransferCommandSupport::run (context, *this, std::make_unique<SequenceSetWrite> (patterns), [&]
        {
            DeviceCommand::Outcome outcome;
            outcome.facts->setProperty ("patterns", SequenceSet::numPatterns);
            return outcome;
        });
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<WritePatternsCommand>(); });
}

#include "cli/BankTransferCommandSupport.h"
#include "cli/Describe.h"
#include "data/SequenceData.h"
#include "device/PatternSetTransfer.h"

namespace
{
// The 16 patterns of the device's current bank into a pattern-set file.
class ReceivePatternsCommand : public CliCommand
{
public:
    juce::String getName() const override { return "receive-patterns"; }
    juce::String getSummary() const override { return "receive the 16 patterns of the device into a pattern-set file"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli [--device DEVICE] receive-patterns OUT.plvr_seq [--json]\n\n"
               "Receives the 16 patterns of the device's current bank and writes them as a\n"
               "pattern-set file, only when all of them arrived.";
    }

    int run (CliContext& context) override
    {
        if (context.arguments.size() != 1)
            return CliReport::usageError (context, *this, "receive-patterns takes an output file");

        const auto output = DeviceCommand::resolve (context.arguments[0]);
        auto session = std::make_unique<SequenceSetReceive>();
        auto& received = session->getReceivedSet();

        return BankTransferCommandSupport::run (context, *this, std::move (session), [&]
        {
            DeviceCommand::writeFile (output, received);

            DeviceCommand::Outcome outcome;
            outcome.facts->setProperty ("output", output.getFullPathName());
            outcome.facts->setProperty ("patterns", Describe::patterns (received));
            return outcome;
        });
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<ReceivePatternsCommand>(); });
}

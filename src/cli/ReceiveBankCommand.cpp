#include "cli/BankTransferCommandSupport.h"
#include "cli/Describe.h"
#include "data/BankData.h"
#include "device/BankReceive.h"

namespace
{
// One bank of the device into a bank file.
class ReceiveBankCommand : public CliCommand
{
public:
    juce::String getName() const override { return "receive-bank"; }
    juce::String getSummary() const override { return "receive one bank of the device into a bank file"; }
    juce::String getUsage() const override
    {
        return juce::String ("usage: plovara-cli [--device DEVICE] receive-bank BANK OUT.plvr_bank [--json]\n\n"
                             "Receives the bank with its samples and patterns and writes it as a bank\n"
                             "file, only when all of it arrived. ")
             + BankTransferCommandSupport::bankDescription + ".";
    }

    int run (CliContext& context) override
    {
        const int bank = context.arguments.size() == 2 ? BankTransferCommandSupport::parseBank (context.arguments[0])
                                                       : BankTransferCommandSupport::noBank;
        if (bank == BankTransferCommandSupport::noBank)
            return CliReport::usageError (context, *this, "receive-bank takes a bank and an output file");

        const auto output = DeviceCommand::resolve (context.arguments[1]);
        auto session = std::make_unique<BankReceive> (bank);
        auto& received = session->getReceivedBank();

        return BankTransferCommandSupport::run (context, *this, std::move (session), [&]
        {
            DeviceCommand::writeFile (output, received);

            DeviceCommand::Outcome outcome;
            outcome.facts->setProperty ("output", output.getFullPathName());
            outcome.facts->setProperty ("bank", BankTransferCommandSupport::bankName (bank));
            outcome.facts->setProperty ("name", received.getName());
            return outcome;
        });
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<ReceiveBankCommand>(); });
}

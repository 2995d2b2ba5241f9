#include "cli/BankTransferCommandSupport.h"
#include "data/BankData.h"
#include "device/BankWrite.h"

namespace
{
// A bank file to one bank of the device.
class WriteBankCommand : public CliCommand
{
public:
    juce::String getName() const override { return "write-bank"; }
    juce::String getSummary() const override { return "write a bank file to one bank of the device"; }
    juce::String getUsage() const override
    {
        return juce::String ("usage: plovara-cli [--device DEVICE] write-bank IN.plvr_bank BANK [--json]\n\n"
                             "Writes the bank file with its samples and patterns to the bank. Nothing is\n"
                             "sent when the bank does not fit the device's memory. ")
             + BankTransferCommandSupport::bankDescription + ".";
    }

    int run (CliContext& context) override
    {
        const int bank = context.arguments.size() == 2 ? BankTransferCommandSupport::parseBank (context.arguments[1])
                                                       : BankTransferCommandSupport::noBank;
        if (bank == BankTransferCommandSupport::noBank)
            return CliReport::usageError (context, *this, "write-bank takes a bank file and a bank");

        BankData data;
        if (const auto failure = DeviceCommand::readFile (DeviceCommand::resolve (context.arguments[0]), data); failure.isNotEmpty())
            return CliReport::failure (context, failure);

        return BankTransferCommandSupport::run (context, *this, std::make_unique<BankWrite> (data, bank), [&]
        {
            DeviceCommand::Outcome outcome;
            outcome.facts->setProperty ("bank", BankTransferCommandSupport::bankName (bank));
            outcome.facts->setProperty ("name", data.getName());
            return outcome;
        });
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<WriteBankCommand>(); });
}

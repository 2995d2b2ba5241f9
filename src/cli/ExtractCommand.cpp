#include "cli/BankSlotTool.h"
#include "data/BankData.h"
#include "files/DataFileAccess.h"

namespace
{
// Writes one sample or the pattern set of a bank file to a file of its own.
class ExtractCommand : public CliCommand
{
public:
    juce::String getName() const override { return "extract"; }
    juce::String getSummary() const override { return "write a sample or the pattern set of a bank file to its own file"; }
    juce::String getUsage() const override
    {
        return BankSlotTool::argumentsText ("extract", "OUT")
               + "Writes the sample on KEY (C3 to B5, sharps as C#4, or 0 to 35) or the\n"
                 "16 patterns of the bank file BANK to OUT, as the editor's Save Sample\n"
                 "and Save Pattern Set File commands write them. The bank file is not\n"
                 "changed.";
    }

    int run (CliContext& context) override
    {
        BankSlotTool::Target target;

        if (const auto problem = BankSlotTool::parse (context.arguments, target); problem.isNotEmpty())
            return CliReport::usageError (context, *this, problem);

        BankData bank;

        if (const auto failure = BankSlotTool::readBank (target.bankFile, bank); failure.isNotEmpty())
            return CliReport::failure (context, failure);

        Data& part = target.patterns ? static_cast<Data&> (bank.getSequenceSet())
                                     : static_cast<Data&> (bank.getSample (target.sampleIndex));

        if (const auto failure = DataFileAccess::write (part, target.partFile); failure.isNotEmpty())
            return CliReport::failure (context, failure);

        return BankSlotTool::reportDone (context, "extracted", target, bank);
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<ExtractCommand>(); });
}

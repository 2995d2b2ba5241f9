#include "cli/BankSlotTool.h"
#include "data/BankData.h"
#include "files/DataFileAccess.h"

namespace
{
// Puts a sample file into a slot of a bank file, or a pattern set file in
// place of its patterns, as the editor's Open Sample and Open Pattern Set
// File commands do.
class InsertCommand : public CliCommand
{
public:
    juce::String getName() const override { return "insert"; }
    juce::String getSummary() const override { return "put a sample file or a pattern set file into a bank file"; }
    juce::String getUsage() const override
    {
        return BankSlotTool::argumentsText ("insert", "IN")
               + "Reads IN and puts the sample on KEY (C3 to B5, sharps as C#4, or 0 to\n"
                 "35) of the bank file BANK, or all 16 patterns of IN in place of the\n"
                 "bank's patterns, then writes BANK back. As in the editor, no sample is\n"
                 "loaded into a bank whose sample memory is already over budget. BANK\n"
                 "is replaced only when everything succeeded.";
    }

    int run (CliContext& context) override
    {
        BankSlotTool::Target target;

        if (const auto problem = BankSlotTool::parse (context.arguments, target); problem.isNotEmpty())
            return CliReport::usageError (context, *this, problem);

        BankData bank;

        if (const auto failure = BankSlotTool::readBank (target.bankFile, bank); failure.isNotEmpty())
            return CliReport::failure (context, failure);

        const auto failure = target.patterns ? insertPatterns (bank, target.partFile)
                                             : insertSample (bank, target.sampleIndex, target.partFile);

        if (failure.isNotEmpty())
            return CliReport::failure (context, failure);

        if (const auto writeFailure = DataFileAccess::write (bank, target.bankFile); writeFailure.isNotEmpty())
            return CliReport::failure (context, writeFailure);

        return BankSlotTool::reportDone (context, "inserted", target, bank);
    }

private:
    // Each step runs only when the ones before it succeeded.
    static juce::String insertSample (BankData& bank, int sampleIndex, const juce::File& file)
    {
        SampleData sample;
        auto failure = DataFileAccess::checkExists (file);

        if (failure.isEmpty())
            failure = DataFileAccess::checkSampleMemoryToLoad (bank);
        if (failure.isEmpty())
            failure = DataFileAccess::read (sample, file);
        if (failure.isEmpty())
            bank.getSample (sampleIndex).copyFrom (sample);

        return failure;
    }

    static juce::String insertPatterns (BankData& bank, const juce::File& file)
    {
        SequenceSet patterns;
        auto failure = DataFileAccess::checkExists (file);

        if (failure.isEmpty())
            failure = DataFileAccess::read (patterns, file);
        if (failure.isEmpty())
            bank.getSequenceSet().copyFrom (patterns);

        return failure;
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<InsertCommand>(); });
}

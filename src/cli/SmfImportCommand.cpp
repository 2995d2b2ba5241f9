#include "app/Exception.h"
#include "cli/CliCommand.h"
#include "cli/SmfCommandSupport.h"
#include "data/SequenceData.h"
#include "data/smf/SequenceDataImporter.h"
#include "files/DataFileAccess.h"

#include <ostream>

namespace
{
// Imports a Standard MIDI File into one pattern of a pattern set file.
class SmfImportCommand : public CliCommand
{
public:
    juce::String getName() const override { return "smf-import"; }
    juce::String getSummary() const override { return "import a Standard MIDI File into a pattern of a pattern set file"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli smf-import SONG.mid SET.plvr_seq --pattern N [--channels G,K] [--json]\n\n"
               "Imports SONG.mid (format 0 or 1) into pattern N (1 to 16) of the pattern\n"
               "set file SET, which is created with 16 initial patterns when it does not\n"
               "exist. G and K are the global and keyboard MIDI channels (1 to 16,\n"
               "default 1,2): notes on G become part 0, notes on K part 1. A file too\n"
               "large for a pattern is imported as far as it fits, which is reported\n"
               "on standard error (and as \"cut\" with --json).";
    }

    int run (CliContext& context) override
    {
        SmfCommandSupport::Options options;

        if (const auto problem = options.parse (context.arguments); problem.isNotEmpty())
            return CliReport::usageError (context, *this, problem);

        const auto cwd = juce::File::getCurrentWorkingDirectory();
        const auto smfFile = cwd.getChildFile (options.files[0]);
        const auto setFile = cwd.getChildFile (options.files[1]);

        if (! smfFile.existsAsFile())
            return CliReport::failure (context, "Error_FileTargetFileNotExist");

        try
        {
            SequenceSet set;
            if (setFile.exists())
                SmfCommandSupport::readPatternSet (setFile, set);

            SequenceData imported;
            SequenceDataImporter importer;

            if (importer.importSmf (smfFile, imported, options.part0Channel, options.part1Channel) == SequenceDataImporter::failed)
                return CliReport::failure (context, importer.getResultMessageKey());

            set.getPattern (options.patternIndex)->copyFrom (imported);

            if (const auto failure = DataFileAccess::write (set, setFile); failure.isNotEmpty())
                return CliReport::failure (context, failure);

            report (context, imported, options, importer.getNoticeMessageKey());
            return CliExit::success;
        }
        catch (const Exception& e)
        {
            return CliReport::failure (context, e.getMessageKey());
        }
    }

private:
    static void report (CliContext& context, const SequenceData& pattern, const SmfCommandSupport::Options& options,
                        const juce::String& noticeKey)
    {
        const bool cut = noticeKey.isNotEmpty();

        if (cut)
            context.err << "notice: " << CliReport::messageText (noticeKey).toStdString() << std::endl;

        if (context.json)
        {
            auto description = SmfCommandSupport::describePattern (pattern, options.patternIndex);
            description->setProperty ("cut", cut);
            if (cut)
                description->setProperty ("notice", noticeKey);
            CliReport::printJson (context, description.get());
            return;
        }

        context.out << "Imported " << options.files[0] << " into pattern " << options.patternIndex + 1
                    << " of " << options.files[1] << ": \"" << pattern.getName() << "\", "
                    << pattern.getRecordedLength() << " recorded measure(s), " << pattern.getSize() << " bytes"
                    << (cut ? " (cut at the size limit)" : "") << std::endl;
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<SmfImportCommand>(); });
}

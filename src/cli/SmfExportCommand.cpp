#include "app/Exception.h"
#include "cli/CliCommand.h"
#include "cli/SmfCommandSupport.h"
#include "data/SequenceData.h"
#include "data/smf/SequenceDataExporter.h"

#include <ostream>

namespace
{
// Exports one pattern of a pattern set file as a Standard MIDI File.
class SmfExportCommand : public CliCommand
{
public:
    juce::String getName() const override { return "smf-export"; }
    juce::String getSummary() const override { return "export a pattern of a pattern set file as a Standard MIDI File"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli smf-export SET.plvr_seq --pattern N SONG.mid [--channels G,K] [--json]\n\n"
               "Writes pattern N (1 to 16) of the pattern set file SET as the format-0\n"
               "Standard MIDI File SONG.mid, replacing it if it exists. G and K are the\n"
               "global and keyboard MIDI channels (1 to 16, default 1,2): part 0 plays\n"
               "on G, part 1 on K. Every recorded measure is exported, also when the\n"
               "pattern's length is set shorter; a notice on standard error (and as\n"
               "\"notice\" with --json) says so.";
    }

    int run (CliContext& context) override
    {
        SmfCommandSupport::Options options;

        if (const auto problem = options.parse (context.arguments); problem.isNotEmpty())
            return CliReport::usageError (context, *this, problem);

        const auto cwd = juce::File::getCurrentWorkingDirectory();
        const auto setFile = cwd.getChildFile (options.files[0]);
        const auto smfFile = cwd.getChildFile (options.files[1]);

        if (! setFile.existsAsFile())
            return CliReport::failure (context, "Error_FileTargetFileNotExist");

        SequenceSet set;

        try
        {
            SmfCommandSupport::readPatternSet (setFile, set);
        }
        catch (const Exception& e)
        {
            return CliReport::failure (context, e.getMessageKey());
        }

        const auto& pattern = *set.getPattern (options.patternIndex);
        const bool notice = SequenceDataExporter::needsRecordedLengthNotice (pattern);

        if (notice)
            printNotice (context);

        SequenceDataExporter exporter;

        if (! exporter.exportSmf (pattern, smfFile, options.part0Channel, options.part1Channel))
            return CliReport::failure (context, exporter.getResultMessageKey());

        report (context, pattern, options, smfFile, notice);
        return CliExit::success;
    }

private:
    static void printNotice (CliContext& context)
    {
        const auto& key = SequenceDataExporter::recordedLengthNoticeKey;
        context.err << "notice: " << CliReport::messageText (key).toStdString() << "\n"
                    << "        " << CliReport::messageText (key + "_Detail1").toStdString() << std::endl;
    }

    static void report (CliContext& context, const SequenceData& pattern, const SmfCommandSupport::Options& options,
                        const juce::File& smfFile, bool notice)
    {
        const auto size = smfFile.getSize();

        if (context.json)
        {
            auto description = SmfCommandSupport::describePattern (pattern, options.patternIndex);
            description->setProperty ("smfSize", size);
            if (notice)
                description->setProperty ("notice", SequenceDataExporter::recordedLengthNoticeKey);
            CliReport::printJson (context, description.get());
            return;
        }

        context.out << "Exported pattern " << options.patternIndex + 1 << " (\"" << pattern.getName() << "\", "
                    << pattern.getRecordedLength() << " recorded measure(s)) to " << options.files[1] << ": "
                    << size << " bytes" << std::endl;
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<SmfExportCommand>(); });
}

#include "app/Exception.h"
#include "cli/CliCommand.h"
#include "cli/Describe.h"
#include "data/AllData.h"
#include "data/BankData.h"
#include "data/Chunk.h"
#include "data/GlobalData.h"
#include "data/SampleData.h"
#include "data/SequenceData.h"

#include <ostream>

namespace
{
// Prints what a file of the program holds.
class InfoCommand : public CliCommand
{
public:
    juce::String getName() const override { return "info"; }
    juce::String getSummary() const override { return "describe a file of the program"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli info FILE [--json]\n\n"
               "Prints what FILE holds. Sample files (.plvr_sample) are described with\n"
               "their name, audio format, memory use, a SHA-256 of their PCM bytes and\n"
               "their parameters. Pattern-set files (.plvr_seq) list their 16 patterns\n"
               "with name, block size, length, recorded length, keyboard-mode sample\n"
               "(0 to 35) and a SHA-256 of the block. Global files (.plvr_glob) show\n"
               "their 16-byte image in hex and its 13 fields. Bank files (.plvr_bank)\n"
               "show the bank parameters, free memory, every sample and pattern as above\n"
               "and the effect. Bank memory backups (.plvr_all) list the eight banks A\n"
               "to H with their names, sample and pattern names, effect type and whether\n"
               "they fit the device's memory, then the global data; their banks pass\n"
               "through swap files, one at a time. --json prints one JSON object instead\n"
               "of text.";
    }

    int run (CliContext& context) override
    {
        if (context.arguments.size() != 1)
            return CliReport::usageError (context, *this, "info takes exactly one FILE");

        const juce::File file = juce::File::getCurrentWorkingDirectory().getChildFile (context.arguments[0]);
        if (! file.existsAsFile())
            return CliReport::failure (context, "Error_FileTargetFileNotExist");

        juce::FileInputStream stream (file);

        if (! stream.openedOk())
            return CliReport::failure (context, "Error_FileFailedToOpen");

        try
        {
            auto description = describe (stream);
            if (context.json)
                CliReport::printJson (context, description);
            else
                context.out << Describe::asText (description).toStdString();
            return CliExit::success;
        }
        catch (const Exception& e)
        {
            return CliReport::failure (context, e.getMessageKey());
        }
    }

private:
    static juce::var describe (juce::InputStream& stream)
    {
        if (Chunk::peekId (stream, SampleData::chunkId))
        {
            SampleData sample;
            sample.readFrom (stream);
            return withKind ("sample", Describe::sample (sample));
        }

        if (Chunk::peekId (stream, SequenceSet::chunkId))
        {
            SequenceSet set;
            set.readFrom (stream);
            juce::DynamicObject::Ptr object (new juce::DynamicObject());
            object->setProperty ("patterns", Describe::patterns (set));
            return withKind ("patternSet", object);
        }

        if (Chunk::peekId (stream, GlobalData::chunkId))
        {
            GlobalData global;
            global.readFrom (stream);
            return withKind ("global", Describe::global (global));
        }

        if (Chunk::peekId (stream, BankData::chunkId))
        {
            BankData bank;
            bank.readFrom (stream);
            return withKind ("bank", Describe::bank (bank));
        }

        if (Chunk::peekId (stream, AllData::chunkId))
        {
            AllData all;
            all.readFrom (stream);
            return withKind ("allData", Describe::allData (all));
        }

        throw Exception ("Error_FileUnsupportedChunk");
    }

    // The description with "kind" as its first property.
    static juce::var withKind (const juce::String& kind, const juce::DynamicObject::Ptr& description)
    {
        juce::DynamicObject::Ptr object (new juce::DynamicObject());
        object->setProperty ("kind", kind);
        for (auto& property : description->getProperties())
            object->setProperty (property.name, property.value);
        return juce::var (object.get());
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<InfoCommand>(); });
}

#include "app/Exception.h"
#include "cli/CliCommand.h"
#include "cli/Describe.h"
#include "data/Chunk.h"
#include "data/SampleData.h"

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
               "their parameters; --json prints one JSON object instead of text.";
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

            auto object = Describe::sample (sample);
            juce::DynamicObject::Ptr withKind (new juce::DynamicObject());
            withKind->setProperty ("kind", "sample");
            for (auto& property : object->getProperties())
                withKind->setProperty (property.name, property.value);
            return juce::var (withKind.get());
        }

        throw Exception ("Error_FileUnsupportedChunk");
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<InfoCommand>(); });
}

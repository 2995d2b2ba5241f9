#include "cli/CliCommand.h"
#include "resources/CZQVResource.h"
#include "resources/ResourceLanguage.h"

#include <ostream>

namespace
{
// Prints the program's message and label table in one language.
class StringsCommand : public CliCommand
{
public:
    juce::String getName() const override { return "strings"; }
    juce::String getSummary() const override { return "print the message and label table"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli strings [--lang en|ja] [--json]\n\n"
               "Prints every key of the program's message and label table with its\n"
               "text, one \"key<TAB>text\" line per key, or with --json one JSON object\n"
               "of key to text. --lang chooses the language; without it the language\n"
               "of the user's locale is used.";
    }

    int run (CliContext& context) override
    {
        juce::String language;
        const auto& arguments = context.arguments;

        if (arguments.size() == 2 && arguments[0] == "--lang")
            language = arguments[1];
        else if (arguments.size() == 1 && arguments[0].startsWith ("--lang="))
            language = arguments[0].fromFirstOccurrenceOf ("=", false, false);
        else if (arguments.isEmpty())
            language = ResourceLanguage::ofSystem();
        else
            return CliReport::usageError (context, *this, "strings takes only --lang LANGUAGE");

        if (! ResourceLanguage::isSupported (language))
            return CliReport::usageError (context, *this, "unknown language '" + language + "' (en or ja)");

        const CZQVResource table (language);

        if (context.json)
            CliReport::printJson (context, asJson (table));
        else
            for (const auto& key : table.getKeys())
                context.out << key.toStdString() << '\t' << table.getText (key).toStdString() << '\n';

        return CliExit::success;
    }

private:
    static juce::var asJson (const CZQVResource& table)
    {
        juce::DynamicObject::Ptr object (new juce::DynamicObject());

        for (const auto& key : table.getKeys())
            object->setProperty (key, table.getText (key));

        return juce::var (object.get());
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<StringsCommand>(); });
}

#include "cli/CliCommand.h"
#include "resources/CZQVResource.h"
#include "resources/ResourceLanguage.h"

#include <ostream>

namespace CliReport
{
juce::String messageText (const juce::String& messageKey)
{
    static const CZQVResource english (ResourceLanguage::english);

    // A key without a text would leave the user with an empty line.
    const auto text = english.getText (messageKey);
    return text.isNotEmpty() ? text : messageKey;
}

void printJson (CliContext& context, const juce::var& value)
{
    context.out << juce::JSON::toString (value, true).toStdString() << std::endl;
}

void printJsonError (std::ostream& out, const juce::String& error, const juce::String& message)
{
    auto* object = new juce::DynamicObject();
    object->setProperty ("error", error);
    object->setProperty ("message", message);
    out << juce::JSON::toString (juce::var (object), true).toStdString() << std::endl;
}

int failure (CliContext& context, const juce::String& messageKey)
{
    const auto text = messageText (messageKey);

    if (context.json)
        printJsonError (context.out, messageKey, text);
    else
        context.err << text.toStdString() << std::endl;

    return CliExit::failure;
}

int usageError (CliContext& context, const CliCommand& command, const juce::String& message)
{
    if (context.json)
        printJsonError (context.out, usageErrorName, message);

    context.err << message.toStdString() << "\n\n" << command.getUsage().toStdString() << std::endl;
    return CliExit::usage;
}
}

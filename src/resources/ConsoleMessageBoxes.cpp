#include "resources/ConsoleMessageBoxes.h"

#include <ostream>

ConsoleMessageBoxes::ConsoleMessageBoxes (std::ostream& stream)
    : MessageBoxes (nullptr), out (stream)
{
}

void ConsoleMessageBoxes::writeLine (const juce::String& title, const juce::String& message)
{
    if (title.isNotEmpty())
        out << title.toStdString() << ": ";

    out << message.toStdString() << "\n";
}

void ConsoleMessageBoxes::writeDetail (const juce::String& detail)
{
    if (detail.isNotEmpty())
        out << "  " << detail.toStdString() << "\n";
}

void ConsoleMessageBoxes::presentError (const juce::String&, const MessageText& text)
{
    writeLine ({}, text.message);
    writeDetail (text.detail1);
    writeDetail (text.detail2);
    out.flush();
}

void ConsoleMessageBoxes::writeUnanswered (const juce::String& title, const juce::String& message)
{
    writeLine (title, message);
    writeDetail ("(answered: " + CZQVResource::text ("Button_Cancel") + ")");
    out.flush();
}

bool ConsoleMessageBoxes::presentConfirmation (const juce::String& title, const juce::String& message, bool)
{
    writeUnanswered (title, message);
    return false;
}

MessageBoxes::Answer ConsoleMessageBoxes::presentQuestion (const juce::String& title, const juce::String& message)
{
    writeUnanswered (title, message);
    return cancel;
}

MessageBoxes::OverwriteAnswer ConsoleMessageBoxes::presentOverwriteQuestion (const juce::String& title, const juce::String& message)
{
    writeUnanswered (title, message);
    return cancelOverwrite;
}

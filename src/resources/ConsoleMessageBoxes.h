#pragma once

#include "resources/MessageBoxes.h"

#include <iosfwd>

// Message boxes for the command-line tool: every box is written to a stream
// (standard error), one line for the title and message and one per detail;
// nobody is there to answer, so every confirmation and question is
// answered with Cancel.
class ConsoleMessageBoxes : public MessageBoxes
{
public:
    explicit ConsoleMessageBoxes (std::ostream& stream);

protected:
    void presentError (const juce::String& messageKey, const MessageText& text) override;
    bool presentConfirmation (const juce::String& title, const juce::String& message, bool withCancel) override;
    Answer presentQuestion (const juce::String& title, const juce::String& message) override;
    OverwriteAnswer presentOverwriteQuestion (const juce::String& title, const juce::String& message) override;

private:
    void writeLine (const juce::String& title, const juce::String& message);
    void writeDetail (const juce::String& detail);
    void writeUnanswered (const juce::String& title, const juce::String& message);

    std::ostream& out;
};

#pragma once

#include <juce_core/juce_core.h>

// Splitting of the program's command line and the choice of the file to open.
namespace CommandLine
{
    // A double quote toggles quoting and is not part of a token; a closing
    // quote ends the token (kept even if empty); outside quotes a space ends
    // the token (kept even if empty); a non-empty last token is kept.
    juce::StringArray tokenise (const juce::String& commandLine);

    // True for the options whose value is the next token ("--device usb",
    // "--virtual-state FILE"); that token names no file.
    bool takesValue (const juce::String& option);

    // The first token not starting with "-" (an empty token counts) that is
    // not the value of an option names the file to open; an empty string
    // when there is none.
    juce::String fileToOpen (const juce::String& commandLine);
}

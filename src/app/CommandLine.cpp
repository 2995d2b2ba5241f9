#include "app/CommandLine.h"

namespace CommandLine
{
bool takesValue (const juce::String& option)
{
    return option == "--device" || option == "--virtual-state";
}

juce::StringArray tokenise (const juce::String& commandLine)
{
    juce::StringArray tokens;
    juce::String current;
    bool quoted = false;

    for (auto p = commandLine.getCharPointer(); ! p.isEmpty(); ++p)
    {
        const auto c = *p;

        if (c == '"')
        {
            if (quoted)
            {
                tokens.add (current);
                current.clear();
            }
            quoted = ! quoted;
        }
        else if (c == ' ' && ! quoted)
        {
            tokens.add (current);
            current.clear();
        }
        else
        {
            current += juce::String::charToString (c);
        }
    }

    if (current.isNotEmpty())
        tokens.add (current);

    return tokens;
}

juce::String fileToOpen (const juce::String& commandLine)
{
    const auto tokens = tokenise (commandLine);

    for (int i = 0; i < tokens.size(); ++i)
    {
        if (takesValue (tokens[i]))
            ++i;
        else if (! tokens[i].startsWithChar ('-'))
            return tokens[i];
    }

    return {};
}
}

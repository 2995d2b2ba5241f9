#include "app/CommandLine.h"

namespace CommandLine
{
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
    for (const auto& token : tokenise (commandLine))
        if (! token.startsWithChar ('-'))
            return token;

    return {};
}
}

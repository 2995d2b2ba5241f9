#include "data/NameField.h"

namespace NameField
{
bool isAcceptable (const juce::String& name)
{
    for (auto p = name.getCharPointer(); ! p.isEmpty(); ++p)
        if (*p > 127)
            return false;

    return true;
}

void assign (juce::String& name, const juce::String& newName)
{
    if (! isAcceptable (newName))
        return;

    name = newName.toUpperCase().substring (0, length);
}

void write (const juce::String& name, uint8_t* field)
{
    int i = 0;

    for (auto p = name.getCharPointer(); i < length && ! p.isEmpty(); ++i, ++p)
        field[i] = (uint8_t) *p;

    for (; i < length; ++i)
        field[i] = ' ';
}

juce::String read (const uint8_t* field)
{
    int end = 0;

    while (end < length && field[end] != 0)
        ++end;

    while (end > 0 && (field[end - 1] == ' ' || field[end - 1] == 0))
        --end;

    // Each byte is the code of one character; the string is made at once.
    juce::juce_wchar codes[length];

    for (int i = 0; i < end; ++i)
        codes[i] = (juce::juce_wchar) field[i];

    return { juce::CharPointer_UTF32 (codes), juce::CharPointer_UTF32 (codes + end) };
}
}

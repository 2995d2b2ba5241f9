#pragma once

#include <juce_core/juce_core.h>

// A sample slot named on the command line: the key of the device's keyboard
// that plays it, C3 to B5 (sharps written "C#3"), or its index 0 to 35.
namespace SampleKeyArgument
{
    // The slot's index, or -1 when the text names none.
    int parse (const juce::String& text);

    // "C3" for 0, "C#3" for 1, ... "B5" for 35.
    juce::String keyName (int index);

    // How the usage texts describe the argument.
    inline const char* const description = "KEY is a key C3 ... B5 (sharps as C#3) or a slot index 0 ... 35";
}

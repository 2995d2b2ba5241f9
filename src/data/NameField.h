#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>

// Names of banks, samples and patterns: at most 8 characters of codes 0 to
// 127, kept in upper case, stored in 8-byte fields padded with spaces.
namespace NameField
{
    constexpr int length = 8;

    // True when every character has a code of 127 or less.
    bool isAcceptable (const juce::String& name);

    // A name with any character above code 127 leaves the old name in place;
    // otherwise the name becomes the upper-cased text cut to 8 characters.
    void assign (juce::String& name, const juce::String& newName);

    // The characters as bytes up to the first zero, padded with spaces.
    void write (const juce::String& name, uint8_t* field);

    // The bytes up to the first zero, trailing spaces and zeros removed.
    juce::String read (const uint8_t* field);
}

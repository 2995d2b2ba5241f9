#pragma once

#include <juce_core/juce_core.h>

class Data;

// Files of the program hold exactly one root chunk.
namespace DataFile
{
    // Writes root as the whole of file, replacing the file only once the
    // chunk has been written completely. False when the file could not be
    // written; the leaves' Exceptions pass on. On failure the old file stays.
    bool write (Data& root, const juce::File& file);
}

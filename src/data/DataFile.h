#pragma once

#include "app/FileReplacement.h"

class Data;

// Files of the program hold exactly one root chunk.
namespace DataFile
{
    // Writes root as the whole of file, replacing the file only once the
    // chunk has been written completely; the result carries the message key
    // of a failure. The leaves' Exceptions pass on. On failure the old file
    // stays.
    FileReplacement::Result write (Data& root, const juce::File& file,
                                   FileReplacement::Durability durability = FileReplacement::Durability::flushedToDisk);
}

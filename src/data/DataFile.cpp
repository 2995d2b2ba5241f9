#include "data/DataFile.h"

#include "data/Data.h"

namespace DataFile
{
FileReplacement::Result write (Data& root, const juce::File& file, FileReplacement::Durability durability)
{
    return FileReplacement::write (file, [&root] (juce::OutputStream& out) { return root.writeTo (out); }, durability);
}
}

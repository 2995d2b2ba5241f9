#include "data/DataFile.h"

#include "app/FileReplacement.h"
#include "data/Data.h"

namespace DataFile
{
bool write (Data& root, const juce::File& file)
{
    return FileReplacement::write (file, [&root] (juce::OutputStream& out) { return root.writeTo (out); });
}
}

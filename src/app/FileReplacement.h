#pragma once

#include <juce_core/juce_core.h>

#include <functional>

// Writes a file so that it is either replaced as a whole or left as it was:
// the content goes to a temporary file in the same folder, which is moved
// over the target only once it has been written completely.
namespace FileReplacement
{
    // writeContent returns false when it failed. On any failure, and when
    // writeContent throws (the exception passes on), the temporary file is
    // removed and the target keeps its old content.
    bool write (const juce::File& target, const std::function<bool (juce::OutputStream&)>& writeContent);
}

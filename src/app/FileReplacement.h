#pragma once

#include <juce_core/juce_core.h>

#include <functional>

// The one way the program replaces a file: the content goes to a temporary
// file in the same folder, every write and the final size are checked, the
// file is flushed to the disk, and only then is it renamed over the target.
// On any failure the temporary file is removed and the target keeps its old
// content byte for byte.
namespace FileReplacement
{
    // What a write came to: an empty key when the target was replaced, else
    // the message key of the failure.
    struct Result
    {
        juce::String errorKey;

        explicit operator bool() const noexcept { return errorKey.isEmpty(); }
    };

    // Files the program keeps for itself (the bank swap files) need not
    // survive a power cut; everything a user keeps does.
    enum class Durability { flushedToDisk, temporary };

    // writeContent returns false when it failed. When it throws, the
    // exception passes on after the temporary file has been removed.
    // A symbolic link is followed: the file it points to is replaced and the
    // link stays. A target that exists and is not a regular file (a folder,
    // a device, a pipe, a socket) is refused with "Error_FileTargetIsNotFile";
    // a failed write, a short file or a failed flush give
    // "Error_FileFailedToWrite"; a temporary file that cannot be made or
    // renamed gives "Error_FileFailedToOpenToSave".
    Result write (const juce::File& target, const std::function<bool (juce::OutputStream&)>& writeContent,
                  Durability durability = Durability::flushedToDisk);

    // The file a write to target lands in: target itself, or what its chain
    // of symbolic links ends in.
    juce::File resolveLinks (const juce::File& target);

    // Empty when target may be replaced, else "Error_FileTargetIsNotFile".
    juce::String checkReplaceable (const juce::File& target);
}

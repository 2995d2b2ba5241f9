#include "app/FileReplacement.h"

#include "app/ForwardingOutputStream.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const char* const notAFileKey = "Error_FileTargetIsNotFile";
const char* const writeFailedKey = "Error_FileFailedToWrite";
const char* const cannotReplaceKey = "Error_FileFailedToOpenToSave";

// Longer chains are loops, as the system itself counts them.
constexpr int maximumLinkHops = 40;

bool statOf (const juce::File& file, struct stat& info)
{
    return ::stat (file.getFullPathName().toRawUTF8(), &info) == 0;
}

// Writes the content through a stream that notices failed and short writes.
juce::String writeChecked (const juce::File& temporary, const std::function<bool (juce::OutputStream&)>& writeContent)
{
    juce::FileOutputStream out (temporary);

    if (! out.openedOk())
        return cannotReplaceKey;

    ForwardingOutputStream checked (out);
    const bool wrote = writeContent (checked);
    out.flush();

    // A short write (a full disk, a size limit) does not always show in the
    // stream's status, but it does in the size of the file.
    const bool complete = wrote && ! checked.anyWriteFailed() && out.getStatus().wasOk()
                       && temporary.getSize() == checked.getFurthestPosition();
    return complete ? juce::String() : juce::String (writeFailedKey);
}

bool syncToDisk (const juce::File& file)
{
    const int descriptor = ::open (file.getFullPathName().toRawUTF8(), O_RDONLY | O_CLOEXEC);

    if (descriptor < 0)
        return false;

    const bool synced = ::fsync (descriptor) == 0;
    ::close (descriptor);
    return synced;
}

// The replaced file keeps the permissions the old one had.
void copyPermissions (const juce::File& from, const juce::File& to)
{
    struct stat info {};

    if (statOf (from, info))
        ::chmod (to.getFullPathName().toRawUTF8(), info.st_mode & 07777);
}
}

namespace FileReplacement
{
juce::File resolveLinks (const juce::File& target)
{
    auto file = target;

    for (int hop = 0; hop < maximumLinkHops && file.isSymbolicLink(); ++hop)
        file = file.getLinkedTarget();

    return file;
}

juce::String checkReplaceable (const juce::File& target)
{
    struct stat info {};

    if (statOf (resolveLinks (target), info) && ! S_ISREG (info.st_mode))
        return notAFileKey;

    return {};
}

Result write (const juce::File& target, const std::function<bool (juce::OutputStream&)>& writeContent,
              Durability durability)
{
    if (auto refused = checkReplaceable (target); refused.isNotEmpty())
        return { refused };

    const auto file = resolveLinks (target);

    // The temporary file deletes itself unless it was renamed over the file.
    juce::TemporaryFile temporary (file, juce::TemporaryFile::useHiddenFile);

    if (auto failure = writeChecked (temporary.getFile(), writeContent); failure.isNotEmpty())
        return { failure };

    if (durability == Durability::flushedToDisk && ! syncToDisk (temporary.getFile()))
        return { writeFailedKey };

    copyPermissions (file, temporary.getFile());

    // A rename replaces the old file in one step: it is never missing.
    if (std::rename (temporary.getFile().getFullPathName().toRawUTF8(), file.getFullPathName().toRawUTF8()) != 0)
        return { cannotReplaceKey };

    return {};
}
}

#include "app/FileReplacement.h"

namespace FileReplacement
{
bool write (const juce::File& target, const std::function<bool (juce::OutputStream&)>& writeContent)
{
    // The temporary file deletes itself unless it was moved over the target.
    juce::TemporaryFile temporary (target);
    juce::int64 bytesWritten = 0;

    {
        juce::FileOutputStream out (temporary.getFile());

        if (! out.openedOk() || ! writeContent (out))
            return false;

        out.flush();

        if (out.getStatus().failed())
            return false;

        bytesWritten = out.getPosition();
    }

    // A short write (a full disk, a size limit) does not always show in the
    // stream's status, but it does in the size of the file.
    if (temporary.getFile().getSize() != bytesWritten)
        return false;

    return temporary.overwriteTargetFileWithTemporary();
}
}

#include "app/FileReplacement.h"

namespace FileReplacement
{
bool write (const juce::File& target, const std::function<bool (juce::OutputStream&)>& writeContent)
{
    // The temporary file deletes itself unless it was moved over the target.
    juce::TemporaryFile temporary (target);

    {
        juce::FileOutputStream out (temporary.getFile());

        if (! out.openedOk() || ! writeContent (out))
            return false;

        out.flush();

        if (out.getStatus().failed())
            return false;
    }

    return temporary.overwriteTargetFileWithTemporary();
}
}

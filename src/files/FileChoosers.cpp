#include "files/FileChoosers.h"

#include "prefs/PreferencesData.h"

namespace ChooserFolder
{
juce::String startFolder (int kind)
{
    const auto* preferences = PreferencesData::getInstancePointer();

    if (preferences == nullptr)
        return {};

    if (auto own = preferences->getChooserFolder (kind); own.isNotEmpty())
        return own;

    for (int other : { bank, sample, pattern, backup, global, importableSample, importablePattern })
        if (auto folder = preferences->getChooserFolder (other); folder.isNotEmpty())
            return folder;

    return {};
}

void remember (int kind, const juce::File& chosen)
{
    // A new file's own path is no folder to start in next time.
    if (auto* preferences = PreferencesData::getInstancePointer())
        preferences->setChooserFolder (kind, (chosen.isDirectory() ? chosen : chosen.getParentDirectory()).getFullPathName());
}
}

FileChoosers::FileChoosers (std::unique_ptr<BusyFlag> flag)
    : busyFlag (std::move (flag))
{
}

bool FileChoosers::mayShow() const
{
    return busyFlag == nullptr || busyFlag->isFree();
}

juce::String FileChoosers::wildcardFor (const juce::StringArray& extensions)
{
    juce::StringArray patterns;

    for (const auto& extension : extensions)
        patterns.add ("*" + extension);

    return patterns.joinIntoString (";");
}

juce::File FileChoosers::chooseFileToOpen (const Request& request)
{
    return choose (request, false);
}

juce::File FileChoosers::chooseFileToSave (const Request& request)
{
    const auto chosen = choose (request, true);
    const auto& extension = request.extensions[0];

    if (chosen == juce::File() || chosen.hasFileExtension (extension))
        return chosen;

    const auto named = chosen.getSiblingFile (chosen.getFileName() + extension);
    return ! named.exists() || mayOverwrite (named) ? named : juce::File();
}

juce::File FileChoosers::choose (const Request& request, bool forSaving)
{
    if (! mayShow())
        return {};

    const auto title = CZQVResource::text (request.titleKey);
    const juce::File folder (ChooserFolder::startFolder (request.folderKind));
    const auto wildcard = wildcardFor (request.extensions);
    juce::File chosen;
    {
        BusyWhileShown busy (busyFlag.get());
        chosen = forSaving ? presentSaveChooser (title, folder, wildcard)
                           : presentOpenChooser (title, folder, wildcard);
    }

    if (chosen != juce::File())
        ChooserFolder::remember (request.folderKind, chosen);

    return chosen;
}

juce::File FileChoosers::chooseFolder (const juce::String& titleKey, const juce::File& startFolder)
{
    if (! mayShow())
        return {};

    BusyWhileShown busy (busyFlag.get());
    return presentFolderChooser (CZQVResource::text (titleKey), startFolder.isDirectory() ? startFolder : juce::File());
}

bool FileChoosers::mayOverwrite (const juce::File& file)
{
    if (! mayShow())
        return false;

    BusyWhileShown busy (busyFlag.get());
    return presentOverwriteQuestion (CZQVResource::text ("ConfirmOverwrite_Title"), MessageBoxes::overwriteMessage (file));
}

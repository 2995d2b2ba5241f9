#include "gui/browser/FolderContentsList.h"

namespace
{
constexpr juce::uint32 sliceMs = 50;
}

FolderContentsList::FolderContentsList (const juce::FileFilter* fileFilter, juce::TimeSliceThread& scanThread)
    : filter (fileFilter), thread (scanThread)
{
}

FolderContentsList::~FolderContentsList()
{
    stopScan();
}

void FolderContentsList::setDirectory (const juce::File& newFolder)
{
    if (newFolder == folder)
        return;

    folder = newFolder;
    refresh();
}

void FolderContentsList::clear()
{
    stopScan();
    {
        const juce::ScopedLock scopedLock (copyLock);
        entries = std::make_shared<const Entries>();
    }
    sendChangeMessage();
}

void FolderContentsList::refresh()
{
    clear();

    if (! folder.isDirectory())
        return;

    iterator = std::make_unique<juce::RangedDirectoryIterator> (folder, false, "*",
                                                                juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles);
    loading = true;
    thread.addTimeSliceClient (this);
}

// Waits for a slice that runs at the time to end.
void FolderContentsList::stopScan()
{
    thread.removeTimeSliceClient (this);
    iterator.reset();
    found.clear();
    nextCopySize = firstCopySize;
    loading = false;
}

std::shared_ptr<const FolderContentsList::Entries> FolderContentsList::getEntries() const
{
    const juce::ScopedLock scopedLock (copyLock);
    return entries;
}

// On the scan thread.
int FolderContentsList::useTimeSlice()
{
    const auto end = juce::Time::getMillisecondCounter() + sliceMs;

    while (juce::Time::getMillisecondCounter() < end)
    {
        if (! scanNextEntry())
        {
            iterator.reset();
            loading = false;
            handOut();
            return -1;
        }

        if (found.size() >= nextCopySize)
        {
            nextCopySize = found.size() * 2;
            handOut();
            break;
        }
    }

    return 0;
}

bool FolderContentsList::scanNextEntry()
{
    if (iterator == nullptr || *iterator == juce::RangedDirectoryIterator())
        return false;

    const auto& entry = **iterator;
    const auto file = entry.getFile();
    const bool isFolder = entry.isDirectory();

    if (filter == nullptr || (isFolder ? filter->isDirectorySuitable (file) : filter->isFileSuitable (file)))
    {
        FileInfo info;
        info.filename = file.getFileName();
        info.fileSize = entry.getFileSize();
        info.modificationTime = entry.getModificationTime();
        info.creationTime = entry.getCreationTime();
        info.isDirectory = isFolder;
        info.isReadOnly = entry.isReadOnly();
        found.push_back (std::move (info));
    }

    ++*iterator;
    return true;
}

void FolderContentsList::handOut()
{
    std::sort (found.begin(), found.end(), [] (const FileInfo& a, const FileInfo& b)
    {
        return isBefore (a.filename, b.filename);
    });

    auto copy = std::make_shared<const Entries> (found);
    {
        const juce::ScopedLock scopedLock (copyLock);
        entries = std::move (copy);
    }
    sendChangeMessage();
}

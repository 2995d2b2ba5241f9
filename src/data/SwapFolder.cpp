#include "data/SwapFolder.h"

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <mutex>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
std::mutex folderLock;
std::weak_ptr<SwapFolder> sharedFolder;
juce::File baseFolderOverride;
std::atomic<int> swapFileCounter { 0 };

constexpr mode_t privateMode = 0700;

bool isOurDirectory (const struct stat& info)
{
    return S_ISDIR (info.st_mode) && info.st_uid == geteuid();
}

// Clears a dead process's subfolder: only regular swap files of ours are
// removed, through the opened directory so that no link is ever followed;
// the folder itself goes only when nothing else is left in it.
void clearProcessFolder (const juce::File& processFolder)
{
    const auto path = processFolder.getFullPathName().toStdString();
    const int dirFd = open (path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);

    if (dirFd < 0)
        return;

    struct stat dirInfo;

    if (fstat (dirFd, &dirInfo) != 0 || ! isOurDirectory (dirInfo))
    {
        close (dirFd);
        return;
    }

    if (DIR* dir = fdopendir (dup (dirFd)))
    {
        while (auto* entry = readdir (dir))
        {
            const juce::String name (entry->d_name);
            struct stat info;

            if (name.startsWith (SwapFolder::swapFilePrefix)
                && fstatat (dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0
                && S_ISREG (info.st_mode) && info.st_uid == geteuid())
                unlinkat (dirFd, entry->d_name, 0);
        }

        closedir (dir);
    }

    close (dirFd);
    rmdir (path.c_str());
}

bool isDeadProcess (int pid)
{
    return pid > 0 && kill (pid, 0) != 0 && errno == ESRCH;
}

// The own process id is among them when a folder is prepared: a folder of
// that name was left by an earlier process with the same id.
void clearStaleProcessFolders (const juce::File& baseFolder, int ownPid)
{
    for (const auto& entry : juce::RangedDirectoryIterator (baseFolder, false, "*", juce::File::findDirectories))
    {
        const auto name = entry.getFile().getFileName();

        if (! name.containsOnly ("0123456789") || name.length() > 9)
            continue;

        const int pid = name.getIntValue();

        if (pid == ownPid || isDeadProcess (pid))
            clearProcessFolder (entry.getFile());
    }
}

juce::File systemTemporaryFolder()
{
    std::error_code error;
    const auto path = std::filesystem::temp_directory_path (error);

    if (error)
        return juce::File::getSpecialLocation (juce::File::tempDirectory);

    return juce::File (juce::String (path.string()));
}
}

// Called with the folder lock held.
static juce::File chosenBaseFolder()
{
    return baseFolderOverride != juce::File() ? baseFolderOverride : SwapFolder::defaultBaseFolder();
}

juce::File SwapFolder::defaultBaseFolder()
{
    // Not the runtime folder: that one lives in memory and is often capped
    // at a tenth of it, too small for eight banks (twice that in a restore).
    return systemTemporaryFolder().getChildFile ("Plovara-" + juce::String ((int) geteuid()));
}

void SwapFolder::clearStaleFolders()
{
    std::lock_guard<std::mutex> lock (folderLock);

    const auto base = chosenBaseFolder();
    struct stat info;

    // No own id here: this process may be using its folder already.
    if (lstat (base.getFullPathName().toRawUTF8(), &info) == 0 && isOurDirectory (info))
        clearStaleProcessFolders (base, -1);
}

void SwapFolder::overrideBaseFolder (const juce::File& folder)
{
    std::lock_guard<std::mutex> lock (folderLock);
    baseFolderOverride = folder;
}

bool SwapFolder::makePrivateFolder (const juce::File& folder)
{
    const auto path = folder.getFullPathName().toStdString();

    if (mkdir (path.c_str(), privateMode) != 0 && errno != EEXIST)
        return false;

    struct stat info;

    if (lstat (path.c_str(), &info) != 0 || ! isOurDirectory (info))
        return false;

    if ((info.st_mode & 077) == 0)
        return true;

    // Opened without following links, so the mode is changed on this very
    // directory even if the name is swapped for a link meanwhile.
    const int fd = open (path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);

    if (fd < 0)
        return false;

    const bool narrowed = fchmod (fd, privateMode) == 0 && fstat (fd, &info) == 0
                          && isOurDirectory (info) && (info.st_mode & 077) == 0;
    close (fd);
    return narrowed;
}

std::shared_ptr<SwapFolder> SwapFolder::forThisProcess()
{
    std::lock_guard<std::mutex> lock (folderLock);

    const auto base = chosenBaseFolder();

    if (auto existing = sharedFolder.lock(); existing != nullptr && existing->folder.getParentDirectory() == base)
        return existing;

    if (! makePrivateFolder (base))
        return nullptr;

    const int pid = (int) getpid();
    clearStaleProcessFolders (base, pid);

    const auto processFolder = base.getChildFile (juce::String (pid));

    if (! makePrivateFolder (processFolder))
        return nullptr;

    std::shared_ptr<SwapFolder> folder (new SwapFolder (processFolder));
    sharedFolder = folder;
    return folder;
}

SwapFolder::~SwapFolder()
{
    std::lock_guard<std::mutex> lock (folderLock);

    // A successor for the same folder may have been made since the last
    // owner let go; its files live there now.
    if (auto successor = sharedFolder.lock(); successor != nullptr && successor->folder == folder)
        return;

    clearProcessFolder (folder);
}

juce::File SwapFolder::nextSwapFile() const
{
    return folder.getChildFile (swapFilePrefix + juce::String (swapFileCounter++));
}

bool SwapFolder::removeSwapFile (const juce::File& file)
{
    const auto path = file.getFullPathName().toStdString();
    struct stat info;

    if (lstat (path.c_str(), &info) != 0)
        return errno == ENOENT;

    return S_ISREG (info.st_mode) && unlink (path.c_str()) == 0;
}

#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// The private folder that holds this process's bank swap files.
//
// The base folder is the system temporary directory ($TMPDIR, else /tmp)
// joined with "Plovara-<user id>": on disk, since the banks take about
// 123 MB. It must be a real directory (not a link)
// owned by the user and reachable by nobody else; one with wider access is
// narrowed to 0700, and one that cannot be made private is refused. Inside
// it every process keeps a subfolder named after its process id, so that
// programs running at the same time never share swap files; subfolders left
// behind by dead processes are cleared when a folder is prepared.
//
// All swap folder users of a process share one instance; the subfolder is
// removed when the last of them lets go of it.
class SwapFolder
{
public:
    // The shared folder, prepared on first use; null when no safe folder is
    // at hand (the banks are then kept in memory).
    static std::shared_ptr<SwapFolder> forThisProcess();

    // Removes the swap files of processes that are gone, left behind when
    // one was killed; called when the program and the tool start. Makes no
    // folder.
    static void clearStaleFolders();

    // The base folder chosen from the environment, not yet checked.
    static juce::File defaultBaseFolder();

    // Tests point the program at another base folder; an empty file
    // restores the default.
    static void overrideBaseFolder (const juce::File& folder);

    // The checks above for a base or process folder; creates it with mode
    // 0700 when missing. False when it is unsafe or cannot be created.
    static bool makePrivateFolder (const juce::File& folder);

    ~SwapFolder();

    SwapFolder (const SwapFolder&) = delete;
    SwapFolder& operator= (const SwapFolder&) = delete;

    const juce::File& getFolder() const { return folder; }

    // A new name "tempBank_<n>" in the folder, from a counter shared by the
    // whole process. The file is not created.
    juce::File nextSwapFile() const;

    // Removes a swap file of ours: a regular file only, never through a link.
    static bool removeSwapFile (const juce::File& file);

    static inline const juce::String swapFilePrefix { "tempBank_" };

private:
    explicit SwapFolder (const juce::File& processFolder) : folder (processFolder) {}

    const juce::File folder;
};

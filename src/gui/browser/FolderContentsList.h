#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>
#include <vector>

// The files and folders of one folder that a filter lets through, sorted by
// name, scanned on a time-slice thread. The scan gathers on its own and
// hands out a sorted copy after the first few hundred entries, again each
// time their number doubled, and at the end, each followed by a change
// message: readers on the message thread take the latest copy and never
// wait for the scan, and a large folder is shown in a few steps.
class FolderContentsList : public juce::ChangeBroadcaster,
                           private juce::TimeSliceClient
{
public:
    using FileInfo = juce::DirectoryContentsList::FileInfo;
    using Entries = std::vector<FileInfo>;

    static constexpr size_t firstCopySize = 500;

    // Filter and thread must outlive the list.
    FolderContentsList (const juce::FileFilter* filter, juce::TimeSliceThread& thread);
    ~FolderContentsList() override;

    // Message thread. A new folder is scanned afresh; the same folder is
    // left as it is.
    void setDirectory (const juce::File& folder);
    void refresh();
    void clear();

    const juce::File& getDirectory() const noexcept { return folder; }
    const juce::FileFilter* getFilter() const noexcept { return filter; }
    juce::TimeSliceThread& getTimeSliceThread() const noexcept { return thread; }
    bool isStillLoading() const noexcept { return loading; }

    // What the scan found so far, in name order; never null.
    std::shared_ptr<const Entries> getEntries() const;

    // The name order: natural, so "Take2" comes before "Take10".
    static bool isBefore (const juce::String& a, const juce::String& b) { return a.compareNatural (b) < 0; }

private:
    int useTimeSlice() override;
    void stopScan();
    bool scanNextEntry();
    void handOut();

    const juce::FileFilter* const filter;
    juce::TimeSliceThread& thread;
    juce::File folder;
    std::atomic<bool> loading { false };

    // The scan thread's own while a scan runs.
    std::unique_ptr<juce::RangedDirectoryIterator> iterator;
    Entries found;
    size_t nextCopySize = firstCopySize;

    mutable juce::CriticalSection copyLock;
    std::shared_ptr<const Entries> entries = std::make_shared<const Entries>();
};

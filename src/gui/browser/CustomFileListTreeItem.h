#pragma once

#include "gui/browser/FolderContentsList.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class CustomFileTreeComponent;

// One file or folder of a CustomFileTreeComponent. A folder scans its
// contents when it is first opened; while its list grows the items already
// shown are kept, so folders opened inside it stay open. A file's icon, by
// its type, is loaded on the scanning thread the first time it is painted.
class CustomFileListTreeItem : public juce::TreeViewItem,
                               private juce::TimeSliceClient,
                               private juce::AsyncUpdater,
                               private juce::ChangeListener
{
public:
    CustomFileListTreeItem (CustomFileTreeComponent& tree, const juce::File& file, juce::TimeSliceThread& thread);
    ~CustomFileListTreeItem() override;

    // The root item shows the tree's own list, which it does not own.
    void showList (FolderContentsList& list);

    // What the parent list knows of the file, at its index there.
    void setInfo (const FolderContentsList::FileInfo& info, int index);
    void setIndex (int index) { indexInParent = index; }

    // The openness state ("OPEN" element) of this item at the last refresh:
    // the folders under it that it lists open themselves again when the
    // rescan brings them back.
    void setOpennessToRestore (std::unique_ptr<juce::XmlElement> state) { opennessToRestore = std::move (state); }

    const juce::File& getFile() const noexcept { return file; }
    bool isFolder() const noexcept { return folder; }
    juce::Image getIcon() const;

    // The skin image of a file's type; empty for types without one.
    static juce::String iconNameFor (const juce::File& file);

    bool mightContainSubItems() override { return folder; }
    juce::String getUniqueName() const override { return file.getFullPathName(); }
    int getItemHeight() const override;
    juce::var getDragSourceDescription() override;
    void itemOpennessChanged (bool isNowOpen) override;
    void paintItem (juce::Graphics&, int width, int height) override;
    void itemClicked (const juce::MouseEvent&) override;
    void itemDoubleClicked (const juce::MouseEvent&) override;
    void itemSelectionChanged (bool isNowSelected) override;

private:
    int useTimeSlice() override;
    void handleAsyncUpdate() override;
    void changeListenerCallback (juce::ChangeBroadcaster*) override;

    void openFolder();
    void rebuildSubItems();
    void reopenIfListed (CustomFileListTreeItem& item) const;
    void requestIcon();
    static juce::int64 iconCacheKey (const juce::File& file);

    const juce::File file;
    const juce::String name;
    CustomFileTreeComponent& tree;
    juce::TimeSliceThread& thread;

    // The contents shown under the item: the tree's list for the root, the
    // item's own list for a folder once opened.
    FolderContentsList* list = nullptr;
    std::unique_ptr<FolderContentsList> ownList;
    std::unique_ptr<juce::XmlElement> opennessToRestore;

    bool folder = true;
    int indexInParent = 0;
    // Turned into texts only for the rows that are painted.
    juce::int64 fileSize = 0;
    juce::Time modificationTime;

    mutable juce::CriticalSection iconLock;
    juce::Image icon;
    bool iconRequested = false;

    JUCE_DECLARE_NON_COPYABLE (CustomFileListTreeItem)
};

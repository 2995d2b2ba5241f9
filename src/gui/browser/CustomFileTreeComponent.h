#pragma once

#include "gui/browser/FolderContentsList.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// Comes first among the tree's bases, so that its list exists before the
// display base that refers to it.
struct CustomFileTreeIdleList
{
    explicit CustomFileTreeIdleList (juce::TimeSliceThread& thread) : idleList (nullptr, thread) {}
    juce::DirectoryContentsList idleList;
};

// A folder's contents as a tree of CustomFileListTreeItems, 18-pixel rows,
// the root folder itself hidden. Subfolders are scanned when they are first
// opened, on the thread of the folder list. A refresh rescans and opens
// again the folders that were open, as the rescan finds them. Clicks,
// double-clicks and selection changes go to the file-browser listeners.
//
// The framework's display base, which its row drawing asks for, is given a
// contents list of the framework that stays empty: the rows come from the
// FolderContentsList.
class CustomFileTreeComponent : private CustomFileTreeIdleList,
                                public juce::TreeView,
                                public juce::DirectoryContentsDisplayComponent
{
public:
    static constexpr int itemHeight = 18;

    // The list must outlive the tree.
    explicit CustomFileTreeComponent (FolderContentsList& list);
    ~CustomFileTreeComponent() override;

    // Rescans the folder and every open subfolder; the view keeps its open
    // folders and its scroll position.
    void refresh();

    // Brings the view to a scroll position once the rows are laid out, without
    // changing which folders are open.
    void scrollToPosition (int y);

    // What every item's drag carries; empty: items cannot be dragged.
    void setDragAndDropDescription (const juce::String& description) { dragDescription = description; }
    const juce::String& getDragAndDropDescription() const noexcept { return dragDescription; }

    FolderContentsList& getContents() const noexcept { return contents; }

    // DirectoryContentsDisplayComponent
    int getNumSelectedFiles() const override { return getNumSelectedItems(); }
    juce::File getSelectedFile (int index = 0) const override;
    void deselectAllFiles() override { clearSelectedItems(); }
    void scrollToTop() override;
    // Selects the item of the file when it is shown in an open folder.
    void setSelectedFile (const juce::File& file) override;

    // From the items, to the file-browser listeners. (The display base's
    // own senders ask its list, which stays empty, for the folder.)
    void tellFileClicked (const juce::File& file, const juce::MouseEvent& e);
    void tellFileDoubleClicked (const juce::File& file);
    void tellSelectionChanged();

private:
    void showRoot (std::unique_ptr<juce::XmlElement> opennessToRestore);

    FolderContentsList& contents;
    juce::String dragDescription;
    // The open folders and the scroll position at the last refresh.
    std::unique_ptr<juce::XmlElement> savedOpenness;
};

#include "gui/browser/CustomFileTreeComponent.h"

#include "gui/browser/CustomFileListTreeItem.h"

namespace
{
CustomFileListTreeItem* findShownItem (juce::TreeViewItem& parent, const juce::File& file)
{
    for (int i = 0; i < parent.getNumSubItems(); ++i)
    {
        auto* item = static_cast<CustomFileListTreeItem*> (parent.getSubItem (i));

        if (item->getFile() == file)
            return item;

        if (item->isOpen())
            if (auto* found = findShownItem (*item, file))
                return found;
    }
    return nullptr;
}
}

CustomFileTreeComponent::CustomFileTreeComponent (FolderContentsList& list)
    : CustomFileTreeIdleList (list.getTimeSliceThread()),
      juce::DirectoryContentsDisplayComponent (idleList),
      contents (list)
{
    // Light names on the dark panel of the browser.
    setColour (juce::DirectoryContentsDisplayComponent::textColourId, juce::Colour (0xffe0e0e0));
    setColour (juce::DirectoryContentsDisplayComponent::highlightedTextColourId, juce::Colours::white);
    setColour (juce::DirectoryContentsDisplayComponent::highlightColourId, juce::Colour (0xff4a6a8a));
    setColour (juce::TreeView::linesColourId, juce::Colour (0xffa0a0a0));
    setRootItemVisible (false);
    showRoot (nullptr);
}

CustomFileTreeComponent::~CustomFileTreeComponent()
{
    deleteRootItem();
}

void CustomFileTreeComponent::refresh()
{
    savedOpenness = getOpennessState (true);
    deleteRootItem();
    contents.refresh();
    showRoot (savedOpenness != nullptr ? std::make_unique<juce::XmlElement> (*savedOpenness) : nullptr);
}

void CustomFileTreeComponent::showRoot (std::unique_ptr<juce::XmlElement> opennessToRestore)
{
    auto* root = new CustomFileListTreeItem (*this, contents.getDirectory(), contents.getTimeSliceThread());
    root->setOpennessToRestore (std::move (opennessToRestore));
    root->showList (contents);
    setRootItem (root);
}

// Restoring the present openness changes nothing but the scroll position,
// which the view applies once the rows are laid out.
void CustomFileTreeComponent::scrollToPosition (int y)
{
    if (auto state = getOpennessState (false))
    {
        state->setAttribute ("scrollPos", y);
        restoreOpennessState (*state, false);
    }
}

juce::File CustomFileTreeComponent::getSelectedFile (int index) const
{
    if (auto* item = dynamic_cast<const CustomFileListTreeItem*> (getSelectedItem (index)))
        return item->getFile();

    return {};
}

void CustomFileTreeComponent::scrollToTop()
{
    getViewport()->getVerticalScrollBar().setCurrentRangeStart (0);
}

void CustomFileTreeComponent::setSelectedFile (const juce::File& file)
{
    if (auto* root = getRootItem())
        if (auto* item = findShownItem (*root, file))
            item->setSelected (true, true);
}


// A listener may delete the tree, on a root change; then no other is told.
void CustomFileTreeComponent::tellFileClicked (const juce::File& file, const juce::MouseEvent& e)
{
    juce::Component::BailOutChecker checker (this);
    listeners.callChecked (checker, [&] (juce::FileBrowserListener& l) { l.fileClicked (file, e); });
}

void CustomFileTreeComponent::tellFileDoubleClicked (const juce::File& file)
{
    juce::Component::BailOutChecker checker (this);
    listeners.callChecked (checker, [&] (juce::FileBrowserListener& l) { l.fileDoubleClicked (file); });
}

void CustomFileTreeComponent::tellSelectionChanged()
{
    juce::Component::BailOutChecker checker (this);
    listeners.callChecked (checker, [] (juce::FileBrowserListener& l) { l.selectionChanged(); });
}

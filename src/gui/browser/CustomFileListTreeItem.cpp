#include "gui/browser/CustomFileListTreeItem.h"

#include "files/FileFormatManager.h"
#include "gui/browser/CustomFileTreeComponent.h"
#include "gui/widgets/ImageResourceManager.h"

#include <vector>

CustomFileListTreeItem::CustomFileListTreeItem (CustomFileTreeComponent& owner, const juce::File& f,
                                                juce::TimeSliceThread& scanThread)
    : file (f), name (f.getFileName()), tree (owner), thread (scanThread)
{
}

CustomFileListTreeItem::~CustomFileListTreeItem()
{
    thread.removeTimeSliceClient (this);
    cancelPendingUpdate();
    clearSubItems();

    if (list != nullptr)
        list->removeChangeListener (this);
}

void CustomFileListTreeItem::showList (FolderContentsList& contents)
{
    list = &contents;
    list->addChangeListener (this);
}

void CustomFileListTreeItem::setInfo (const FolderContentsList::FileInfo& info, int index)
{
    folder = info.isDirectory;
    indexInParent = index;
    fileSize = info.fileSize;
    modificationTime = info.modificationTime;
}

int CustomFileListTreeItem::getItemHeight() const
{
    return CustomFileTreeComponent::itemHeight;
}

juce::var CustomFileListTreeItem::getDragSourceDescription()
{
    return tree.getDragAndDropDescription();
}

void CustomFileListTreeItem::itemOpennessChanged (bool isNowOpen)
{
    if (! isNowOpen)
        return;

    if (list == nullptr)
        openFolder();

    rebuildSubItems();
}

void CustomFileListTreeItem::openFolder()
{
    folder = file.isDirectory();

    if (! folder)
        return;

    ownList = std::make_unique<FolderContentsList> (tree.getContents().getFilter(), thread);
    ownList->setDirectory (file);
    showList (*ownList);
}

void CustomFileListTreeItem::changeListenerCallback (juce::ChangeBroadcaster*)
{
    rebuildSubItems();
}

// The list grows in batches while it is scanned; the items already shown
// are put back in the new order rather than made anew, so that what is open
// under them stays open.
void CustomFileListTreeItem::rebuildSubItems()
{
    if (! isOpen() || list == nullptr)
        return;

    // In the order of the list they came from, which is the order of every
    // copy of the list.
    std::vector<std::unique_ptr<CustomFileListTreeItem>> shown ((size_t) getNumSubItems());

    for (int i = getNumSubItems(); --i >= 0;)
    {
        shown[(size_t) i].reset (static_cast<CustomFileListTreeItem*> (getSubItem (i)));
        removeSubItem (i, false);
    }

    const auto entries = list->getEntries();
    size_t next = 0;   // the first shown item not put back or passed over

    for (int i = 0; i < (int) entries->size(); ++i)
    {
        const auto& info = (*entries)[(size_t) i];

        // Items sorted before the entry are no longer in the folder; they go
        // with `shown`.
        while (next < shown.size() && shown[next]->name != info.filename
               && FolderContentsList::isBefore (shown[next]->name, info.filename))
            ++next;

        if (next < shown.size() && shown[next]->name == info.filename)
        {
            shown[next]->setIndex (i);
            addSubItem (shown[next++].release());
        }
        else
        {
            auto* item = new CustomFileListTreeItem (tree, list->getDirectory().getChildFile (info.filename), thread);
            item->setInfo (info, i);
            addSubItem (item);
            reopenIfListed (*item);
        }
    }

    if (! list->isStillLoading() && opennessToRestore != nullptr)
    {
        if (getParentItem() == nullptr && opennessToRestore->hasAttribute ("scrollPos"))
            tree.scrollToPosition (opennessToRestore->getIntAttribute ("scrollPos"));

        opennessToRestore.reset();
    }
}

void CustomFileListTreeItem::reopenIfListed (CustomFileListTreeItem& item) const
{
    if (opennessToRestore == nullptr || ! item.folder)
        return;

    for (auto* state : opennessToRestore->getChildWithTagNameIterator ("OPEN"))
    {
        if (state->getStringAttribute ("id") == item.getUniqueName())
        {
            item.setOpennessToRestore (std::make_unique<juce::XmlElement> (*state));
            item.setOpen (true);
            return;
        }
    }
}

//==============================================================================
void CustomFileListTreeItem::paintItem (juce::Graphics& g, int width, int height)
{
    if (! folder)
        requestIcon();

    auto shownIcon = getIcon();
    tree.getLookAndFeel().drawFileBrowserRow (g, width, height, file, file.getFileName(), &shownIcon,
                                              juce::File::descriptionOfSizeInBytes (fileSize),
                                              modificationTime.formatted ("%d %b '%y %H:%M"), folder, isSelected(),
                                              indexInParent, tree);
}

juce::Image CustomFileListTreeItem::getIcon() const
{
    const juce::ScopedLock scopedLock (iconLock);
    return icon;
}

juce::String CustomFileListTreeItem::iconNameFor (const juce::File& file)
{
    switch (FileFormatManager::typeOf (file))
    {
        case FileFormatManager::bankData:    return "Icon-File-Bank";
        case FileFormatManager::sampleData:  return "Icon-File-Sample";
        case FileFormatManager::sequenceSet: return "Icon-File-Pattern";
        case FileFormatManager::smf:         return "Icon-File-Mid";
        case FileFormatManager::importableAudio:
            return file.getFileExtension().toLowerCase() == FileFormatManager::waveExtension ? "Icon-File-Wave"
                                                                                             : "Icon-File-AIFF";
        default:
            return {};
    }
}

// One cache entry per extension: every file of a type shares its icon.
juce::int64 CustomFileListTreeItem::iconCacheKey (const juce::File& file)
{
    return (file.getFileExtension().toLowerCase() + "_iconCacheSalt").hashCode64();
}

void CustomFileListTreeItem::requestIcon()
{
    if (iconRequested)
        return;

    iconRequested = true;
    const auto cached = juce::ImageCache::getFromHashCode (iconCacheKey (file));

    if (cached.isValid())
    {
        const juce::ScopedLock scopedLock (iconLock);
        icon = cached;
    }
    else
    {
        thread.addTimeSliceClient (this);
    }
}

// On the scanning thread.
int CustomFileListTreeItem::useTimeSlice()
{
    const auto name = iconNameFor (file);
    const auto image = name.isNotEmpty() ? ImageResourceManager::imageFor (name) : juce::Image();

    if (image.isValid())
    {
        juce::ImageCache::addImageToCache (image, iconCacheKey (file));
        {
            const juce::ScopedLock scopedLock (iconLock);
            icon = image;
        }
        triggerAsyncUpdate();
    }

    return -1;
}

void CustomFileListTreeItem::handleAsyncUpdate()
{
    repaintItem();
}

void CustomFileListTreeItem::itemClicked (const juce::MouseEvent& e)
{
    tree.tellFileClicked (file, e);
}

void CustomFileListTreeItem::itemDoubleClicked (const juce::MouseEvent& e)
{
    juce::TreeViewItem::itemDoubleClicked (e);
    tree.tellFileDoubleClicked (file);
}

void CustomFileListTreeItem::itemSelectionChanged (bool)
{
    tree.tellSelectionChanged();
}

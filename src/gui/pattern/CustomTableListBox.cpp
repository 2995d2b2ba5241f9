#include "gui/pattern/CustomTableListBox.h"

#include "gui/main/MainComponent.h"
#include "gui/pattern/PatternEditComponent.h"

CustomTableListBox::CustomTableListBox (const juce::String& name, PatternEditComponent& owner)
    : juce::TableListBox (name, &owner), page (owner)
{
}

// The framework counts positions over the header as the first row.
int CustomTableListBox::rowAt (juce::Point<int> position) const
{
    if (position.y < getHeaderHeight())
        return -1;

    return getRowContainingPosition (position.x, position.y);
}

juce::ApplicationCommandTarget* CustomTableListBox::getNextCommandTarget()
{
    return &page;
}

bool CustomTableListBox::isOwnRowDrag (const SourceDetails& details) const
{
    auto* source = details.sourceComponent.get();
    return details.description.toString() == rowDragDescription && source != nullptr
        && (source == this || isParentOf (source));
}

bool CustomTableListBox::isInterestedInDragSource (const SourceDetails& details)
{
    return isOwnRowDrag (details) || PatternEditComponent::isFileOfType (details, FileFormatManager::smf);
}

void CustomTableListBox::itemDragEnter (const SourceDetails& details)
{
    showDropRow (details.localPosition);
}

void CustomTableListBox::itemDragMove (const SourceDetails& details)
{
    showDropRow (details.localPosition);
}

void CustomTableListBox::itemDragExit (const SourceDetails&)
{
    endDrag();
}

void CustomTableListBox::showDropRow (juce::Point<int> position)
{
    dragOver = true;
    dropRow = rowAt (position);
    repaint();
}

void CustomTableListBox::endDrag()
{
    dragOver = false;
    dropRow = -1;
    repaint();
}

void CustomTableListBox::itemDropped (const SourceDetails& details)
{
    const int target = rowAt (details.localPosition);

    if (isOwnRowDrag (details))
        page.moveRow (getSelectedRow(), target, juce::ModifierKeys::getCurrentModifiers().isCtrlDown());
    else
        page.postFileDrop (target, MainComponent::browserDragFile (details), false);

    endDrag();
}

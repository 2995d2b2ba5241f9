#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class PatternEditComponent;

// The pattern page's list. It takes its own rows, dropped onto another row
// to swap the two patterns (with Ctrl: to copy one over the other), and
// Standard MIDI Files from the file browser, dropped onto the row to import
// into. Every command goes on to the page.
class CustomTableListBox : public juce::TableListBox,
                           public juce::ApplicationCommandTarget,
                           public juce::DragAndDropTarget
{
public:
    static inline const juce::String rowDragDescription { "SequenceListDrag" };

    // The page is the list's model and must outlive it.
    CustomTableListBox (const juce::String& name, PatternEditComponent& page);

    bool isDragOver() const { return dragOver; }
    int getDropRow() const { return dropRow; }

    // The row under a point of the list; -1 over the header and below the
    // last row.
    int rowAt (juce::Point<int> position) const;

    juce::ApplicationCommandTarget* getNextCommandTarget() override;
    void getAllCommands (juce::Array<juce::CommandID>&) override {}
    void getCommandInfo (juce::CommandID, juce::ApplicationCommandInfo&) override {}
    bool perform (const InvocationInfo&) override { return false; }

    bool isInterestedInDragSource (const SourceDetails& details) override;
    void itemDragEnter (const SourceDetails& details) override;
    void itemDragMove (const SourceDetails& details) override;
    void itemDragExit (const SourceDetails& details) override;
    void itemDropped (const SourceDetails& details) override;

private:
    bool isOwnRowDrag (const SourceDetails& details) const;
    void showDropRow (juce::Point<int> position);
    void endDrag();

    PatternEditComponent& page;
    bool dragOver = false;
    int dropRow = -1;
};

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class PatternEditComponent;

// A cell of the pattern list that edits one field of its row's pattern.
// The list reuses cells for other rows: each shows the row it is given.
class PatternCellComponent : public juce::Component
{
public:
    // The page must outlive the cell.
    PatternCellComponent (PatternEditComponent& page, int row);

    int getRow() const { return row; }

    // Takes the row and shows its pattern's value, telling no listener.
    void showRow (int newRow);

    void resized() override;

protected:
    // Shows the value of the row's pattern.
    virtual void refresh() = 0;

    // The one child, which fills the cell.
    void setEditor (juce::Component& editor);

    PatternEditComponent& page;

private:
    int row;
    juce::Component* editor = nullptr;
};

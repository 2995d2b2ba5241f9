#include "gui/pattern/SequenceLengthSelector.h"

#include "data/ByteFields.h"
#include "data/SequenceBlockLayout.h"
#include "gui/pattern/PatternEditComponent.h"

SequenceLengthSelector::SequenceLengthSelector (PatternEditComponent& owner, int row)
    : PatternCellComponent (owner, row)
{
    for (int length = 1; length <= maximumLength; ++length)
        box.addItem (juce::String (length), length);

    box.addListener (this);
    setEditor (box);
    refresh();
}

SequenceLengthSelector::~SequenceLengthSelector()
{
    box.removeListener (this);
}

// A short block reads as length 0, which selects nothing.
void SequenceLengthSelector::refresh()
{
    if (const auto* pattern = page.getPattern (getRow()))
        box.setSelectedId (pattern->getLengthParameter(), juce::dontSendNotification);
}

void SequenceLengthSelector::comboBoxChanged (juce::ComboBox*)
{
    const int length = box.getSelectedItemIndex() + 1;

    page.editPattern (getRow(), [length] (SequenceData& copy)
    {
        if (copy.getSize() >= SequenceData::initialPatternSize && length <= maximumLength)
            ByteFields::putBigEndian16 (copy.getBytes() + SequenceBlockLayout::lengthOffset, length);
    });
}

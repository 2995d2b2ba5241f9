#pragma once

#include "gui/pattern/PatternCellComponent.h"
#include "gui/widgets/CustomComboBox.h"

// The length in measures (1 to 99) of the row's pattern; nothing is chosen
// for a pattern too short to hold one.
class SequenceLengthSelector : public PatternCellComponent,
                               private juce::ComboBox::Listener
{
public:
    static constexpr int maximumLength = 99;

    SequenceLengthSelector (PatternEditComponent& page, int row);
    ~SequenceLengthSelector() override;

private:
    void refresh() override;
    void comboBoxChanged (juce::ComboBox*) override;

    CustomComboBox box { "PatternLengthSelector" };
};

#pragma once

#include "gui/pattern/PatternCellComponent.h"

// The name of the row's pattern, edited with a single click. The pattern's
// name rule decides what is kept; the next refresh shows it.
class SequenceNameEditor : public PatternCellComponent,
                           private juce::Label::Listener
{
public:
    SequenceNameEditor (PatternEditComponent& page, int row);
    ~SequenceNameEditor() override;

private:
    void refresh() override;
    void labelTextChanged (juce::Label*) override;

    juce::Label label { "SequenceNameEditor" };
};

#include "gui/pattern/PatternCellComponent.h"

PatternCellComponent::PatternCellComponent (PatternEditComponent& owner, int cellRow)
    : page (owner), row (cellRow)
{
}

void PatternCellComponent::showRow (int newRow)
{
    row = newRow;
    refresh();
}

void PatternCellComponent::setEditor (juce::Component& child)
{
    editor = &child;
    addAndMakeVisible (child);
    resized();
}

void PatternCellComponent::resized()
{
    if (editor != nullptr)
        editor->setBounds (getLocalBounds());
}

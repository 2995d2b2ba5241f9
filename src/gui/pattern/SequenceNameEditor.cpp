#include "gui/pattern/SequenceNameEditor.h"

#include "gui/pattern/PatternEditComponent.h"
#include "gui/widgets/FontManager.h"

SequenceNameEditor::SequenceNameEditor (PatternEditComponent& owner, int row)
    : PatternCellComponent (owner, row)
{
    label.setFont (FontManager::fontFor ("PatternListItems"));
    label.setEditable (true, false, false);
    label.addListener (this);
    setEditor (label);
    refresh();
}

SequenceNameEditor::~SequenceNameEditor()
{
    label.removeListener (this);
}

void SequenceNameEditor::refresh()
{
    if (const auto* pattern = page.getPattern (getRow()))
        label.setText (pattern->getName(), juce::dontSendNotification);
}

void SequenceNameEditor::labelTextChanged (juce::Label*)
{
    const auto* pattern = page.getPattern (getRow());
    const auto text = label.getText();

    if (pattern != nullptr && text != pattern->getName())
        page.editPattern (getRow(), [text] (SequenceData& copy) { copy.setName (text); });
}

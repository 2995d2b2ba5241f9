#include "gui/pattern/SampleNumberSelector.h"

#include "gui/pattern/PatternEditComponent.h"

SampleNumberSelector::SampleNumberSelector (PatternEditComponent& owner, int row)
    : PatternCellComponent (owner, row)
{
    for (int number = 1; number <= SequenceData::numSamples; ++number)
        box.addItem (juce::String (number), number);

    box.addListener (this);
    setEditor (box);
    refresh();
}

SampleNumberSelector::~SampleNumberSelector()
{
    box.removeListener (this);
}

// A short block and an unset sample (0xFF) both read as the first sample.
void SampleNumberSelector::refresh()
{
    renewItemTexts();

    if (const auto* pattern = page.getPattern (getRow()))
        box.setSelectedItemIndex (pattern->getKeyboardSample(), juce::dontSendNotification);
}

void SampleNumberSelector::renewItemTexts()
{
    for (int index = 0; index < box.getNumItems(); ++index)
    {
        const auto text = juce::String (index + 1) + ": " + page.getSampleName (index);
        if (box.getItemText (index) != text)
            box.changeItemText (index + 1, text);
    }
}

void SampleNumberSelector::comboBoxChanged (juce::ComboBox*)
{
    const int sample = box.getSelectedItemIndex();
    page.editPattern (getRow(), [sample] (SequenceData& copy) { copy.setKeyboardSample (sample); });
}

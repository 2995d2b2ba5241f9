#pragma once

#include "gui/pattern/PatternCellComponent.h"
#include "gui/widgets/CustomComboBox.h"

// The sample (1 to 36, with its name) that the row's pattern plays in the
// device's keyboard mode.
class SampleNumberSelector : public PatternCellComponent,
                             private juce::ComboBox::Listener
{
public:
    SampleNumberSelector (PatternEditComponent& page, int row);
    ~SampleNumberSelector() override;

private:
    void refresh() override;
    void renewItemTexts();
    void comboBoxChanged (juce::ComboBox*) override;

    CustomComboBox box { "SampleNumberSelector" };
};

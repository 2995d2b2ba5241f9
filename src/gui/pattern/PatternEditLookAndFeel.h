#pragma once

#include "gui/widgets/CustomLookAndFeel.h"

// The pattern list's look: a grey header with black column rules and
// titles, and combo boxes that are bare text until the mouse is over them.
class PatternEditLookAndFeel : public CustomLookAndFeel
{
public:
    PatternEditLookAndFeel();

    void drawTableHeaderBackground (juce::Graphics&, juce::TableHeaderComponent&) override;
    void drawTableHeaderColumn (juce::Graphics&, juce::TableHeaderComponent&, const juce::String& columnName,
                                int columnId, int width, int height, bool isMouseOver, bool isMouseDown,
                                int columnFlags) override;

    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox&) override;
    void positionComboBoxText (juce::ComboBox&, juce::Label&) override;
    juce::Font getComboBoxFont (juce::ComboBox&) override;
};

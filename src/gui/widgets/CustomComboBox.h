#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A combo box whose selection the mouse wheel moves one item at a time, as
// if the user had chosen the item from the list.
class CustomComboBox : public juce::ComboBox
{
public:
    explicit CustomComboBox (const juce::String& name);

    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
};

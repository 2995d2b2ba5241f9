#pragma once

#include "gui/widgets/CustomLookAndFeel.h"

// The effect page's combo boxes: a skin image with a button image to its
// right, outlined while the mouse is over an enabled box, with texts and
// pop-up menus in the font "EffectPopupParameterKnobValue".
class EffectEditLookAndFeel : public CustomLookAndFeel
{
public:
    static constexpr float disabledButtonOpacity = 0.6f;

    // Light texts on the dark skin of the boxes.
    EffectEditLookAndFeel();

    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox&) override;
    void positionComboBoxText (juce::ComboBox&, juce::Label&) override;
    juce::Font getComboBoxFont (juce::ComboBox&) override;
    juce::Font getPopupMenuFont() override;
};

#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The editor's base look: the framework's glass drawing with smaller corners
// on buttons, tick boxes and combo-box arrows, the fonts of the font table for
// text buttons and pop-up menus, and a lower menu bar. The page looks derive
// from it.
class CustomLookAndFeel : public juce::LookAndFeel_V2
{
public:
    CustomLookAndFeel();

    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    juce::Font getTextButtonFont (juce::TextButton&, int buttonHeight) override;

    void drawTickBox (juce::Graphics&, juce::Component&, float x, float y, float w, float h,
                      bool ticked, bool isEnabled,
                      bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox&) override;

    juce::Font getPopupMenuFont() override;
    int getDefaultMenuBarHeight() override;
};

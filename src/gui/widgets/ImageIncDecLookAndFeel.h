#pragma once

#include "gui/widgets/CustomLookAndFeel.h"

// The look of an increment/decrement slider drawn with skin images: plus and
// minus image buttons (lighter under the mouse, darker while pressed) and a
// right-aligned value box of one font and colour on a transparent background.
class ImageIncDecLookAndFeel : public CustomLookAndFeel
{
public:
    struct Style
    {
        juce::String incrementImage, decrementImage, fontName;
        juce::Colour textColour;
    };

    explicit ImageIncDecLookAndFeel (Style style);

    juce::Button* createSliderButton (juce::Slider&, bool isIncrement) override;
    juce::Label* createSliderTextBox (juce::Slider&) override;

private:
    const Style style;
};

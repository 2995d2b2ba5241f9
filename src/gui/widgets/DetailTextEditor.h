#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The further lines of a message: read-only, multi-line text with scroll
// bars, without caret, pop-up menu, outline or shadow, on the given
// background.
class DetailTextEditor : public juce::TextEditor
{
public:
    DetailTextEditor (const juce::String& name, const juce::Font& font, juce::Colour background);
};

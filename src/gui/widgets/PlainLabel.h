#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The dialogs' label: plain text of height 15, left-aligned and vertically
// centred, not editable.
class PlainLabel : public juce::Label
{
public:
    explicit PlainLabel (const juce::String& name = {}, const juce::String& text = {});
};

#include "gui/widgets/DetailTextEditor.h"

DetailTextEditor::DetailTextEditor (const juce::String& name, const juce::Font& font, juce::Colour background)
    : juce::TextEditor (name)
{
    setMultiLine (true);
    setReadOnly (true);
    setScrollbarsShown (true);
    setCaretVisible (false);
    setPopupMenuEnabled (false);
    setFont (font);
    setColour (backgroundColourId, background);
    setColour (outlineColourId, juce::Colours::transparentBlack);
    setColour (focusedOutlineColourId, juce::Colours::transparentBlack);
    setColour (shadowColourId, juce::Colours::transparentBlack);
}

#include "gui/widgets/PlainLabel.h"

PlainLabel::PlainLabel (const juce::String& name, const juce::String& text)
    : juce::Label (name, text)
{
    setFont (juce::Font (15.0f, juce::Font::plain));
    setJustificationType (juce::Justification::centredLeft);
    setEditable (false, false, false);
    setColour (juce::TextEditor::backgroundColourId, juce::Colours::transparentWhite);
}

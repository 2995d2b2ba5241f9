#include "gui/pattern/PatternEditLookAndFeel.h"

#include "gui/widgets/FontManager.h"

namespace
{
const juce::Colour headerBackground (0xffb2b2b2);
const juce::Colour pressedColumn (0x8899aadd);
const juce::Colour mouseOverColumn (0x5599aadd);
constexpr float smallestTitleSqueeze = 0.7f;
}

PatternEditLookAndFeel::PatternEditLookAndFeel()
{
    setColour (juce::TextButton::buttonColourId, juce::Colour (0xffc0c0c0));
}

void PatternEditLookAndFeel::drawTableHeaderBackground (juce::Graphics& g, juce::TableHeaderComponent& header)
{
    g.fillAll (headerBackground);
    g.setColour (juce::Colours::black);
    g.fillRect (0, header.getHeight() - 1, header.getWidth(), 1);

    for (int i = 0; i < header.getNumColumns (true); ++i)
        g.fillRect (header.getColumnPosition (i).getRight() - 1, 0, 1, header.getHeight());
}

void PatternEditLookAndFeel::drawTableHeaderColumn (juce::Graphics& g, juce::TableHeaderComponent&,
                                                    const juce::String& columnName, int, int width, int height,
                                                    bool isMouseOver, bool isMouseDown, int)
{
    if (isMouseDown)
        g.fillAll (pressedColumn);
    else if (isMouseOver)
        g.fillAll (mouseOverColumn);

    g.setColour (juce::Colours::black);
    g.setFont (FontManager::fontFor ("PatternListHeader"));
    g.drawFittedText (columnName, 4, 0, width - 8, height, juce::Justification::centredLeft, 1, smallestTitleSqueeze);
}

void PatternEditLookAndFeel::drawComboBox (juce::Graphics& g, int width, int height, bool, int, int, int, int,
                                           juce::ComboBox& box)
{
    if (box.isEnabled() && box.isMouseOver (true))
    {
        g.setColour (findColour (juce::TextButton::buttonColourId));
        g.drawRect (0, 0, width, height, 2);
    }
}

// Without an arrow the text has the whole box.
void PatternEditLookAndFeel::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    label.setBounds (1, 1, box.getWidth() - 2, box.getHeight() - 2);
    label.setFont (getComboBoxFont (box));
}

juce::Font PatternEditLookAndFeel::getComboBoxFont (juce::ComboBox&)
{
    return FontManager::fontFor ("PatternListItems");
}

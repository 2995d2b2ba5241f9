#include "WidgetTestSupport.h"

#include "gui/widgets/CustomComboBox.h"
#include "gui/widgets/CustomLookAndFeel.h"
#include "gui/widgets/FontManager.h"

#include <gtest/gtest.h>

using namespace WidgetTestSupport;

TEST (CustomLookAndFeel, FontsAndMenus)
{
    FontManager::getInstance();
    CustomLookAndFeel look;
    juce::TextButton button;

    // "DefaultTextButton" is 13.5 high, at most 70 % of the button.
    EXPECT_FLOAT_EQ (look.getTextButtonFont (button, 30).getHeight(), 13.5f);
    EXPECT_FLOAT_EQ (look.getTextButtonFont (button, 16).getHeight(), 11.2f);
    EXPECT_FLOAT_EQ (look.getPopupMenuFont().getHeight(), 13.5f);
    EXPECT_EQ (look.findColour (juce::PopupMenu::backgroundColourId), juce::Colour (0xffeeeeee));
    EXPECT_EQ (look.getDefaultMenuBarHeight(), 20);
    FontManager::releaseInstance();
}

TEST (CustomLookAndFeel, ButtonsTickBoxesAndComboBoxes)
{
    CustomLookAndFeel look;
    juce::TextButton button;
    juce::ToggleButton tickBox;
    CustomComboBox box ("box");
    button.setBounds (0, 0, 100, 30);
    tickBox.setBounds (0, 0, 100, 24);
    tickBox.setToggleState (true, juce::dontSendNotification);
    box.setBounds (0, 0, 120, 20);
    box.setColour (juce::ComboBox::backgroundColourId, juce::Colours::blue);
    box.setColour (juce::ComboBox::outlineColourId, juce::Colours::red);
    const juce::Colour arrow (0xff727272);

    // (2, 2) lies outside corners of half the button's height; (14, 9) on the
    // tick moved 2 to the right, (12, 9) only on an unmoved one; the arrow
    // button is the right 16 pixels of the box.
    const struct { juce::Component& c; bool enabled; int x, y; juce::Colour expected; bool equal; } rows[] = {
        { button, true, 0, 0, juce::Colours::transparentBlack, true },
        { button, true, 2, 2, juce::Colours::transparentBlack, false },
        { tickBox, true, 14, 9, juce::Colours::black, true },
        { tickBox, true, 12, 9, juce::Colours::black, false },
        { box, true, 0, 10, juce::Colours::red, true },
        { box, true, 50, 10, juce::Colours::blue, true },
        { box, true, 111, 7, arrow, true },
        { box, true, 112, 12, arrow, true },
        { box, false, 0, 10, juce::Colours::red, true },
        { box, false, 111, 7, arrow, false },
    };

    for (const auto& row : rows)
    {
        row.c.setLookAndFeel (&look);
        row.c.setEnabled (row.enabled);
        const auto pixel = render (row.c).getPixelAt (row.x, row.y);
        EXPECT_EQ (closeTo (pixel, row.expected, 8), row.equal)
            << row.c.getName() << " enabled " << row.enabled << " at " << row.x << ", " << row.y << ": " << pixel.toDisplayString (true);
        row.c.setLookAndFeel (nullptr);
    }
}

#include "WidgetTestSupport.h"

#include "gui/widgets/CustomComboBox.h"
#include "gui/widgets/CustomLookAndFeel.h"
#include "resources/FontManager.h"

#include <gtest/gtest.h>

using namespace WidgetTestSupport;

namespace
{
struct Fonts
{
    Fonts() { FontManager::getInstance(); }
    ~Fonts() { FontManager::releaseInstance(); }
};

const juce::Colour arrowGrey (0xff727272);
}

TEST (CustomLookAndFeel, TextButtonsUseTheirTableFontAtMostSevenTenthsOfTheButtonHigh)
{
    Fonts fonts;
    CustomLookAndFeel look;
    juce::TextButton button;

    const struct { int buttonHeight; float fontHeight; } rows[] = { { 30, 13.5f }, { 20, 13.5f }, { 16, 11.2f } };

    for (const auto& row : rows)
        EXPECT_FLOAT_EQ (look.getTextButtonFont (button, row.buttonHeight).getHeight(), row.fontHeight)
            << "button height " << row.buttonHeight;
}

TEST (CustomLookAndFeel, PopupMenusAndTheMenuBar)
{
    Fonts fonts;
    CustomLookAndFeel look;

    EXPECT_FLOAT_EQ (look.getPopupMenuFont().getHeight(), 13.5f);
    EXPECT_EQ (look.findColour (juce::PopupMenu::backgroundColourId), juce::Colour (0xffeeeeee));
    EXPECT_EQ (look.getDefaultMenuBarHeight(), 20);
}

TEST (CustomLookAndFeel, TextButtonsHaveSmallRoundCorners)
{
    CustomLookAndFeel look;
    juce::TextButton button;
    button.setLookAndFeel (&look);
    button.setBounds (0, 0, 100, 30);

    const auto image = render (button);
    button.setLookAndFeel (nullptr);

    // With corners of half the height this spot lies outside the lozenge.
    EXPECT_GT (image.getPixelAt (2, 2).getAlpha(), 0x80);
    EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0);
}

TEST (CustomLookAndFeel, TheTickIsBlackAndMovedRight)
{
    CustomLookAndFeel look;
    juce::ToggleButton button;
    button.setLookAndFeel (&look);
    button.setBounds (0, 0, 100, 24);

    // (14, 9) lies on the tick's long stroke; (12, 9) only on the framework's
    // unmoved tick.
    const struct { bool ticked; int x; bool black; } rows[] = {
        { true, 14, true }, { true, 12, false }, { false, 14, false },
    };

    for (const auto& row : rows)
    {
        button.setToggleState (row.ticked, juce::dontSendNotification);
        const auto pixel = render (button).getPixelAt (row.x, 9);
        EXPECT_EQ (closeTo (pixel, juce::Colours::black, 8), row.black)
            << "ticked " << row.ticked << " at x " << row.x << ": " << pixel.toDisplayString (true);
    }

    button.setLookAndFeel (nullptr);
}

TEST (CustomLookAndFeel, ComboBoxesFillOutlineAndDrawGreyArrowsWhenEnabled)
{
    CustomLookAndFeel look;
    CustomComboBox box ("box");
    box.setLookAndFeel (&look);
    box.setColour (juce::ComboBox::backgroundColourId, juce::Colours::blue);
    box.setColour (juce::ComboBox::outlineColourId, juce::Colours::red);
    box.setBounds (0, 0, 120, 20);

    // The arrow button takes the right 16 pixels; (111, 7) is inside the
    // upper arrow, (112, 12) inside the lower one.
    const struct { bool enabled; int x; int y; juce::Colour expected; } rows[] = {
        { true, 0, 10, juce::Colours::red },
        { true, 50, 10, juce::Colours::blue },
        { true, 111, 7, arrowGrey },
        { true, 112, 12, arrowGrey },
        { false, 0, 10, juce::Colours::red },
        { false, 50, 10, juce::Colours::blue },
    };

    for (const auto& row : rows)
    {
        box.setEnabled (row.enabled);
        EXPECT_EQ (render (box).getPixelAt (row.x, row.y), row.expected)
            << "enabled " << row.enabled << " at " << row.x << ", " << row.y;
    }

    box.setEnabled (false);
    EXPECT_NE (render (box).getPixelAt (111, 7), arrowGrey) << "a disabled box has no arrows";
    box.setLookAndFeel (nullptr);
}

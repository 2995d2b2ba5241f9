#include "WidgetTestSupport.h"

#include "gui/widgets/OnOffButton.h"
#include "resources/CZQVResource.h"
#include "resources/ImageResourceManager.h"

#include <gtest/gtest.h>

using namespace WidgetTestSupport;

namespace
{
const juce::Colour onColour = juce::Colours::red;
const juce::Colour onPressedColour = juce::Colours::green;
const juce::Colour offColour = juce::Colours::blue;
const juce::Colour offPressedColour = juce::Colours::yellow;
const juce::Colour highlight (0x38ffffff);

void giveImages (ImageToggleButton& button)
{
    button.setOnImages (filledImage (10, 6, onColour), filledImage (10, 6, onPressedColour));
    button.setOffImages (filledImage (10, 6, offColour), filledImage (10, 6, offPressedColour));
    button.setBounds (0, 0, 10, 6);
    button.setVisible (true);
}
}

TEST (ImageToggleButton, ShowsThePairOfItsToggleStateForEachMouseState)
{
    using State = juce::Button::ButtonState;

    const struct { bool on; bool highlighting; State state; juce::Colour expected; } rows[] = {
        { true, true, State::buttonNormal, onColour },
        { true, true, State::buttonOver, onColour.overlaidWith (highlight) },
        { true, true, State::buttonDown, onPressedColour.overlaidWith (highlight) },
        { false, true, State::buttonNormal, offColour },
        { false, true, State::buttonOver, offColour.overlaidWith (highlight) },
        { false, true, State::buttonDown, offPressedColour.overlaidWith (highlight) },
        { true, false, State::buttonOver, onColour },
        { false, false, State::buttonDown, offPressedColour },
    };

    for (const auto& row : rows)
    {
        ImageToggleButton button ("toggle");
        giveImages (button);
        button.setHighlighting (row.highlighting);
        button.setToggleState (row.on, juce::dontSendNotification);
        button.updateImages();
        button.setState (row.state);

        EXPECT_TRUE (closeTo (render (button).getPixelAt (5, 3), row.expected))
            << "on " << row.on << ", highlighting " << row.highlighting << ", state " << (int) row.state;
    }
}

TEST (ImageToggleButton, KeepsCopiesOfItsImages)
{
    ImageToggleButton button ("toggle");
    auto on = filledImage (10, 6, onColour);
    button.setOnImages (on, on);
    button.setBounds (0, 0, 10, 6);
    button.setToggleState (true, juce::dontSendNotification);
    button.updateImages();

    on.clear (on.getBounds(), juce::Colours::black);
    EXPECT_EQ (render (button).getPixelAt (5, 3), onColour);
}

TEST (OnOffButton, ShowsTheSkinsOnAndOffImagesAtTheirSize)
{
    CZQVResource::getInstance();
    ImageResourceManager::getInstance();
    {
        const auto on = ImageResourceManager::imageFor ("ButtonOn");
        const auto off = ImageResourceManager::imageFor ("ButtonOff");
        ASSERT_TRUE (on.isValid() && off.isValid());

        OnOffButton button ("switch");
        EXPECT_EQ (button.getWidth(), on.getWidth());
        EXPECT_EQ (button.getHeight(), on.getHeight());
        EXPECT_TRUE (samePixels (render (button), off));

        button.setToggleState (true, juce::dontSendNotification);
        button.updateImages();
        EXPECT_TRUE (samePixels (render (button), on));
    }
    ImageResourceManager::releaseInstance();
    CZQVResource::releaseInstance();
}

#include "WidgetTestSupport.h"

#include "gui/widgets/OnOffButton.h"
#include "resources/CZQVResource.h"
#include "gui/widgets/ImageResourceManager.h"

#include <gtest/gtest.h>

using namespace WidgetTestSupport;

TEST (ImageToggleButton, ShowsThePairOfItsToggleStateForEachMouseState)
{
    using State = juce::Button::ButtonState;
    const auto on = juce::Colours::red, onPressed = juce::Colours::green;
    const auto off = juce::Colours::blue, offPressed = juce::Colours::yellow;
    const juce::Colour light (0x38ffffff);

    const struct { bool on; bool highlighting; State state; juce::Colour expected; } rows[] = {
        { true, true, State::buttonNormal, on }, { true, true, State::buttonOver, on.overlaidWith (light) },
        { true, true, State::buttonDown, onPressed.overlaidWith (light) }, { false, true, State::buttonNormal, off },
        { false, true, State::buttonOver, off.overlaidWith (light) }, { false, true, State::buttonDown, offPressed.overlaidWith (light) },
        { true, false, State::buttonOver, on }, { false, false, State::buttonDown, offPressed },
    };

    for (const auto& row : rows)
    {
        ImageToggleButton button ("toggle");
        auto onImage = filledImage (10, 6, on);
        button.setOnImages (onImage, filledImage (10, 6, onPressed));
        button.setOffImages (filledImage (10, 6, off), filledImage (10, 6, offPressed));
        onImage.clear (onImage.getBounds(), juce::Colours::black);   // the button keeps its own copy

        button.setBounds (0, 0, 10, 6);
        button.setHighlighting (row.highlighting);
        button.setToggleState (row.on, juce::dontSendNotification);
        button.updateImages();
        button.setState (row.state);
        EXPECT_TRUE (closeTo (render (button).getPixelAt (5, 3), row.expected))
            << "on " << row.on << ", highlighting " << row.highlighting << ", state " << (int) row.state;
    }
}

TEST (OnOffButton, ShowsTheSkinsOnAndOffImagesAtTheirSize)
{
    CZQVResource::getInstance();
    ImageResourceManager::getInstance();
    {
        const auto on = ImageResourceManager::imageFor ("ButtonOn");
        OnOffButton button ("switch");
        EXPECT_EQ (button.getBounds(), on.getBounds());
        EXPECT_EQ (button.getNormalImage().getPixelAt (25, 8), ImageResourceManager::imageFor ("ButtonOff").getPixelAt (25, 8));

        button.setToggleState (true, juce::dontSendNotification);
        button.updateImages();
        EXPECT_EQ (render (button).getPixelAt (25, 8), on.getPixelAt (25, 8));
        EXPECT_NE (on.getPixelAt (25, 8), ImageResourceManager::imageFor ("ButtonOff").getPixelAt (25, 8));
    }
    ImageResourceManager::releaseInstance();
    CZQVResource::releaseInstance();
}

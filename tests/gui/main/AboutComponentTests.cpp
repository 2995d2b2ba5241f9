#include "gui/widgets/WidgetTestSupport.h"

#include "gui/main/AboutComponent.h"
#include "support/EnglishResource.h"

#include <gtest/gtest.h>

TEST (AboutComponent, IsFramedInBlack)
{
    const TestSupport::EnglishResource english;
    AboutComponent box;
    ASSERT_EQ (box.getBounds(), juce::Rectangle<int> (0, 0, 350, 220));

    const auto image = WidgetTestSupport::render (box);
    for (auto corner : { juce::Point<int> (0, 0), { 349, 0 }, { 0, 219 }, { 349, 219 }, { 175, 219 } })
        EXPECT_EQ (image.getPixelAt (corner.x, corner.y), juce::Colours::black) << corner.toString();
}

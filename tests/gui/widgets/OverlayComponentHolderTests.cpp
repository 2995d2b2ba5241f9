#include "WidgetTestSupport.h"

#include "gui/widgets/OverlayComponentHolder.h"

#include <gtest/gtest.h>

using namespace WidgetTestSupport;

namespace
{
struct CountingOverlay : OverlayComponentHolder
{
    using OverlayComponentHolder::OverlayComponentHolder;
    void beep() override { ++beeps; }
    int beeps = 0;
};
}

TEST (OverlayComponentHolder, DimsTheCoveredComponentAndCentresTheContent)
{
    juce::Component main, box;
    main.setSize (560, 400);
    box.setSize (350, 220);
    OverlayComponentHolder overlay (main, box, juce::Colour (0x99000000));

    EXPECT_EQ (overlay.getBounds(), main.getLocalBounds());
    EXPECT_TRUE (box.isVisible() && box.getParentComponent() == &overlay);
    EXPECT_EQ (box.getBounds(), juce::Rectangle<int> (105, 90, 350, 220));
    EXPECT_TRUE (closeTo (render (overlay).getPixelAt (10, 10), juce::Colour (0x99000000)));

    overlay.setSize (600, 500);
    EXPECT_EQ (box.getPosition(), juce::Point<int> (125, 140));
}

TEST (OverlayComponentHolder, AClickOnTheDimmedAreaBeepsAndLeavesTheBoxOpen)
{
    juce::Component main, box;
    main.setSize (560, 400);
    box.setSize (350, 220);
    CountingOverlay overlay (main, box, juce::Colour (0x99000000));
    overlay.setVisible (true);

    overlay.mouseDown (mouseEventFor (overlay, { 10.0f, 10.0f }));
    EXPECT_EQ (overlay.beeps, 1);
    EXPECT_TRUE (box.isVisible() && box.getParentComponent() == &overlay);
    EXPECT_EQ (overlay.getComponentAt (280, 200), &box) << "presses inside the box go to the box";
}

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

struct Covered
{
    Covered()
    {
        main.setSize (560, 400);
        box.setSize (350, 220);
    }

    juce::Component main, box;
};
}

TEST (OverlayComponentHolder, CoversTheComponentAndCentresTheContent)
{
    Covered covered;
    OverlayComponentHolder overlay (covered.main, covered.box, juce::Colour (0x99000000));

    EXPECT_EQ (overlay.getBounds(), juce::Rectangle<int> (0, 0, 560, 400));
    EXPECT_EQ (covered.box.getParentComponent(), &overlay);
    EXPECT_TRUE (covered.box.isVisible());
    EXPECT_EQ (covered.box.getBounds(), juce::Rectangle<int> (105, 90, 350, 220));

    overlay.setSize (600, 500);
    EXPECT_EQ (covered.box.getBounds(), juce::Rectangle<int> (125, 140, 350, 220));
}

TEST (OverlayComponentHolder, DimsWithItsFillColour)
{
    Covered covered;
    OverlayComponentHolder overlay (covered.main, covered.box, juce::Colour (0x99000000));

    EXPECT_TRUE (closeTo (render (overlay).getPixelAt (10, 10), juce::Colour (0x99000000)));
}

TEST (OverlayComponentHolder, AClickOnTheDimmedAreaBeepsAndLeavesTheBoxOpen)
{
    Covered covered;
    CountingOverlay overlay (covered.main, covered.box, juce::Colour (0x99000000));

    overlay.mouseDown (mouseEventFor (overlay, { 10.0f, 10.0f }));
    EXPECT_EQ (overlay.beeps, 1);
    EXPECT_EQ (covered.box.getParentComponent(), &overlay);
    EXPECT_TRUE (covered.box.isVisible());

    // Presses inside the box go to the box.
    overlay.setVisible (true);
    EXPECT_EQ (overlay.getComponentAt (280, 200), &covered.box);
}

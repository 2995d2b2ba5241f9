#include "TestSupport.h"
#include "WidgetTestSupport.h"

#include "gui/widgets/CustomComboBox.h"

#include <gtest/gtest.h>

using namespace WidgetTestSupport;

namespace
{
struct ThreeItemBox : CustomComboBox
{
    explicit ThreeItemBox (int selectedIndex) : CustomComboBox ("box")
    {
        addItemList ({ "one", "two", "three" }, 1);
        setSelectedItemIndex (selectedIndex, juce::dontSendNotification);
        onChange = [this] { ++changes; };
    }

    void turnWheel (float deltaY)
    {
        juce::MouseWheelDetails wheel {};
        wheel.deltaY = deltaY;
        mouseWheelMove (mouseEventFor (*this), wheel);
    }

    int changes = 0;
};
}

TEST (CustomComboBox, TheWheelMovesTheSelectionOneItem)
{
    const struct { int from; float deltaY; int to; } rows[] = {
        { 0, -0.2f, 1 }, { 1, -0.2f, 2 }, { 2, -0.2f, 2 },
        { 2, 0.2f, 1 }, { 1, 0.2f, 0 }, { 0, 0.2f, 0 },
    };

    for (const auto& row : rows)
    {
        ThreeItemBox box (row.from);
        box.turnWheel (row.deltaY);
        EXPECT_EQ (box.getSelectedItemIndex(), row.to) << "from " << row.from << ", delta " << row.deltaY;
    }
}

TEST (CustomComboBox, AWheelChangeTellsTheListenersAsAChoiceDoes)
{
    ThreeItemBox box (0);
    box.turnWheel (-0.2f);
    EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return box.changes == 1; }));
}

TEST (CustomComboBox, ADisabledBoxIgnoresTheWheel)
{
    ThreeItemBox box (1);
    box.setEnabled (false);
    box.turnWheel (-0.2f);
    box.turnWheel (0.2f);
    EXPECT_EQ (box.getSelectedItemIndex(), 1);
}

TEST (CustomComboBox, TheTooltipIsAlsoTheLabels)
{
    CustomComboBox box ("box");
    box.setTooltip ("Effect Type");

    // The label is made again when the look changes.
    juce::LookAndFeel_V2 otherLook;
    box.setLookAndFeel (&otherLook);

    int labels = 0;
    for (auto* child : box.getChildren())
        if (auto* label = dynamic_cast<juce::Label*> (child))
        {
            ++labels;
            EXPECT_EQ (label->getTooltip(), "Effect Type");
        }

    EXPECT_EQ (labels, 1);
    box.setLookAndFeel (nullptr);
}

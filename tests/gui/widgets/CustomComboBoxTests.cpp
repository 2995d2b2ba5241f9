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

TEST (CustomComboBox, TheWheelMovesTheSelectionOneItemAsAChoiceWould)
{
    const struct { bool enabled; int from; float deltaY; int to; } rows[] = {
        { true, 0, -0.2f, 1 }, { true, 1, -0.2f, 2 }, { true, 2, -0.2f, 2 },
        { true, 2, 0.2f, 1 }, { true, 0, 0.2f, 0 }, { false, 1, -0.2f, 1 }, { false, 1, 0.2f, 1 },
    };

    for (const auto& row : rows)
    {
        ThreeItemBox box (row.from);
        box.setEnabled (row.enabled);
        box.turnWheel (row.deltaY);
        EXPECT_EQ (box.getSelectedItemIndex(), row.to) << "enabled " << row.enabled << ", from " << row.from << ", delta " << row.deltaY;
    }

    ThreeItemBox box (0);
    box.turnWheel (-0.2f);
    EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return box.changes == 1; }));
}

TEST (CustomComboBox, TheTooltipIsAlsoTheLabelsEvenAfterALookChange)
{
    CustomComboBox box ("box");
    box.setTooltip ("Effect Type");
    juce::LookAndFeel_V2 otherLook;
    box.setLookAndFeel (&otherLook);

    auto* label = dynamic_cast<juce::Label*> (box.getChildComponent (0));
    ASSERT_NE (label, nullptr);
    EXPECT_EQ (label->getTooltip(), "Effect Type");
    box.setLookAndFeel (nullptr);
}

#include "WidgetTestSupport.h"

#include "gui/widgets/ProgressBarComponent.h"

#include <gtest/gtest.h>

namespace
{
juce::String shownText (juce::Slider& bar)
{
    for (auto* child : bar.getChildren())
        if (auto* label = dynamic_cast<juce::Label*> (child))
            return label->getText();
    return "(no text)";
}
}

TEST (ProgressBarComponent, ShowsTheFractionInWholePercent)
{
    ProgressBarComponent bar;
    EXPECT_EQ (bar.getName(), "ProgressBar");
    EXPECT_EQ (bar.getSliderStyle(), juce::Slider::LinearBar);
    EXPECT_EQ (bar.getMinimum(), 0.0);
    EXPECT_EQ (bar.getMaximum(), 1.0);
    EXPECT_EQ (bar.getInterval(), 0.01);
    EXPECT_FALSE (bar.isTextBoxEditable());

    const struct { double value; const char* text; } rows[] = {
        { 0.0, "0%" }, { 0.07, "7%" }, { 0.456, "46%" }, { 0.5, "50%" }, { 0.999, "100%" }, { 1.0, "100%" }, { 1.5, "100%" },
    };

    for (const auto& row : rows)
    {
        bar.setValue (row.value, juce::dontSendNotification);
        EXPECT_EQ (shownText (bar), row.text) << row.value;
    }
}

TEST (ProgressBarComponent, TheMousePassesThroughIt)
{
    juce::Component parent;
    ProgressBarComponent bar;
    parent.setSize (200, 50);
    parent.setVisible (true);
    parent.addAndMakeVisible (bar);
    bar.setBounds (10, 10, 180, 24);

    EXPECT_EQ (parent.getComponentAt (100, 20), &parent);
}

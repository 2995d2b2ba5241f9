#include "gui/dialogs/DialogTestSupport.h"

#include "gui/sample/SampleLevelParameterKnob.h"
#include "gui/sample/SamplePanParameterKnob.h"
#include "gui/sample/SamplePitchParameterKnob.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

namespace
{
struct TypedValueCase
{
    SampleParameterKnob& knob;
    const char* typed;
    double value;
    const char* shown;
};

struct KnobListener : ParameterKnobListener
{
    void parameterKnobChanged (ParameterKnob& knob) override { values.push_back (knob.getValue()); }
    std::vector<double> values;
};
}

// What a user types into a knob's value becomes a stored value, and the
// label then shows that value in the knob's own words.
TEST (SampleParameterKnob, TypedTextBecomesAValueAndShowsInTheKnobsWords)
{
    const DialogTestSupport::EnglishResource english;
    const StringTable strings ("ParameterStrings");
    SampleLevelParameterKnob level ("Level", 1, &strings);
    SamplePanParameterKnob pan ("Pan", 0);
    SamplePitchParameterKnob tune ("Tune", 4);
    SampleParameterKnob decay ("Decay", 5, 0, 127);

    const TypedValueCase cases[] = {
        { level, "+0.0dB", 101, "+0.0dB" },
        { level, "0",      101, "+0.0dB" },
        { level, "-80",    0,   "-INFdB" },
        { level, "-inf",   0,   "-INFdB" },
        { level, "-73.2",  2,   "-73.0dB" },
        { level, "+20dB",  127, "+12.0dB" },
        { pan,   "l10",    54,  "L10" },
        { pan,   "R70",    127, "R63" },
        { pan,   "abc",    64,  "CNT" },
        { pan,   "-3",     61,  "L3" },
        { pan,   "",       0,   "L63" },
        { tune,  "150",    126, "99" },
        { tune,  "-1000",  0,   "-99" },
        { tune,  "0",      62,  "0" },
        { tune,  "-50",    12,  "-50" },
        { decay, " 77 ",   77,  "77" },
    };

    for (auto& c : cases)
    {
        KnobListener listener;
        c.knob.addListener (&listener);
        auto* label = dynamic_cast<juce::Label*> (DialogTestSupport::findNamed (c.knob, c.knob.getName() + "Value"));
        ASSERT_NE (label, nullptr);

        label->setText (c.typed, juce::sendNotificationSync);

        EXPECT_EQ (c.knob.getValue(), c.value) << c.knob.getName() << " " << c.typed;
        EXPECT_EQ (label->getText(), c.shown) << c.knob.getName() << " " << c.typed;
        EXPECT_EQ (listener.values, std::vector<double> { c.value }) << c.knob.getName() << " " << c.typed;
        c.knob.removeListener (&listener);
    }
}

TEST (SampleParameterKnob, TablesOfTuneAndLevelMeetAtTheirEdges)
{
    const std::pair<int, int> cents[] = { { 2, -99 }, { 3, -95 }, { 12, -50 }, { 13, -49 }, { 61, -1 }, { 62, 0 },
                                          { 66, 0 }, { 67, 1 }, { 116, 50 }, { 117, 55 }, { 125, 95 }, { 126, 99 } };
    for (auto [value, expected] : cents)
        EXPECT_EQ (SamplePitchParameterKnob::centsOf (value), expected) << value;

    const std::pair<int, double> decibels[] = { { 1, -74.0 }, { 51, -24.0 }, { 52, -23.5 }, { 98, -0.5 },
                                                { 99, 0.0 }, { 103, 0.0 }, { 104, 0.5 }, { 127, 12.0 } };
    for (auto [value, expected] : decibels)
        EXPECT_EQ (SampleLevelParameterKnob::decibelsOf (value), expected) << value;

    SampleLevelParameterKnob withoutTable ("Level", 1, nullptr);
    EXPECT_EQ (withoutTable.valueToText (101), "101");
}

#include "gui/dialogs/DialogTestSupport.h"
#include "gui/main/CommandManagerBench.h"
#include "gui/waveform/PeakMeterBar.h"
#include "gui/waveform/WaveformEditComponent.h"
#include "gui/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>

using DialogTestSupport::findNamed;

namespace
{
struct EditorTest : ::testing::Test
{
    CommandManagerBench bench;
    std::unique_ptr<WaveformEditComponent> editor;

    EditorTest()
    {
        CommandTestSupport::fillSample (bench.sample (0), 1001);
        bench.sample (0).setParameter (SampleData::start, 100);
        bench.sample (0).setParameter (SampleData::end, 800);
        editor = std::make_unique<WaveformEditComponent> (bench, bench.commandManager, *bench.preferences.get());
    }

    juce::Slider& slider (const juce::String& name) { return dynamic_cast<juce::Slider&> (*findNamed (*editor, name)); }
    int point (int parameter) { return bench.sample (0).getParameter (parameter); }
};

std::vector<int> commandsOf (const juce::PopupMenu& menu)
{
    std::vector<int> ids;
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        ids.push_back (it.getItem().isSeparator ? 0 : it.getItem().itemID);
    return ids;
}
}

TEST_F (EditorTest, ChildrenSitWhereTheLayoutPutsThemForTheHeightGiven)
{
    editor->setSize (560, 300);
    const std::pair<const char*, juce::Rectangle<int>> cases[] = {
        { "WaveGraph",     { 20, 60, 515, 196 } },
        { "start",         { 58, 264, 130, 18 } },
        { "original BPM",  { 437, 264, 93, 18 } },
        { "sampling rate", { 144, 38, 64, 24 } },
        { "level R",       { 432, 19, 114, 3 } },
        { "ZoomMinus",     { 20 + 495, 60 + 179, 16, 16 } },
    };

    for (auto& [name, bounds] : cases)
    {
        auto* child = findNamed (*editor, name);
        ASSERT_NE (child, nullptr) << name;
        EXPECT_EQ (editor->getLocalArea (child->getParentComponent(), child->getBounds()), bounds) << name;
    }
}

TEST_F (EditorTest, TheStartSliderStaysBeforeTheEndAndTheEndAfterTheStart)
{
    slider ("start").setValue (800, juce::sendNotificationSync);
    EXPECT_EQ (point (SampleData::start), 799);

    slider ("end").setValue (10, juce::sendNotificationSync);
    EXPECT_EQ (point (SampleData::end), 800) << "the start is 799 now";
    EXPECT_EQ (bench.history.getNumActionsInCurrentTransaction(), 2) << "one undo step";

    slider ("original BPM").setValue (125.3, juce::sendNotificationSync);
    EXPECT_EQ (point (SampleData::originalBpm), 1253);
}

TEST_F (EditorTest, TheRateShowsUpToNineDigitsInKilohertz)
{
    const std::pair<double, const char*> cases[] = { { 48000.0, "48kHz" }, { 44100.0, "44.1kHz" }, { 22050.0, "22.05kHz" } };
    auto& rate = dynamic_cast<juce::Label&> (*findNamed (*editor, "sampling rate"));

    for (auto& [hertz, text] : cases)
    {
        bench.sample (0).resize (1, 1001, hertz, false);
        editor->refresh();
        EXPECT_EQ (rate.getText(), text);
    }

    bench.sample (0).resize (1, 1, 48000.0, false);
    editor->refresh();
    EXPECT_EQ (rate.getText(), "");
    EXPECT_FALSE (slider ("start").isEnabled());
}

TEST_F (EditorTest, TheMenusListTheWaveCommandsOfTheCommandManager)
{
    EXPECT_EQ (commandsOf (editor->createSelectMenu()), (std::vector<int> { 42, 44, 0, 43 }));
    EXPECT_EQ (commandsOf (editor->createEditMenu()), (std::vector<int> { 49, 50, 51, 53, 54 }));
    EXPECT_EQ (commandsOf (editor->createProcessMenu()), (std::vector<int> { 52, 0, 45, 46, 47, 48 }));
}

TEST_F (EditorTest, ASwitchStoresTheOppositeOfWhatItShowed)
{
    auto* prefs = bench.preferences.get();
    prefs->setFlag (PreferencesData::waveGraphAutoScroll, true);
    editor->refresh();

    dynamic_cast<juce::Button*> (findNamed (*editor, "AutoScroll"))->triggerClick();
    DialogTestSupport::deliverPosted();

    EXPECT_FALSE (prefs->getFlag (PreferencesData::waveGraphAutoScroll));
    EXPECT_FALSE (editor->getGraph().isAutoScrollOn());
}

TEST_F (EditorTest, WithoutSoundTheMetersStayAtTheirFloor)
{
    editor->updateMeters();
    auto* meter = dynamic_cast<PeakMeterBar*> (findNamed (*editor, "level L"));
    ASSERT_NE (meter, nullptr);
    EXPECT_EQ (meter->getValue(), -60.0f);
}

TEST (PeakMeterBar, PaintsBaseYellowAndRedBandsUpToTheValue)
{
    PeakMeterBar meter ("level");
    meter.setBounds (0, 0, 66, 3);   // one pixel per dB, 0 dB at x = 60
    meter.setValue (3.0f);
    const auto image = WidgetTestSupport::render (meter);

    const std::pair<int, juce::uint32> pixels[] = { { 10, PeakMeterBar::baseColour }, { 50, PeakMeterBar::yellowColour },
                                                     { 61, PeakMeterBar::redColour }, { 64, 0 } };
    for (auto& [x, colour] : pixels)
        EXPECT_TRUE (WidgetTestSupport::closeTo (image.getPixelAt (x, 1), juce::Colour (colour))) << x;

    meter.setValue (20.0f);
    EXPECT_EQ (meter.getValue(), 6.0f);
}

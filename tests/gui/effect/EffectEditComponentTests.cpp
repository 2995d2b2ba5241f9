#include "gui/main/MainWindowTestSupport.h"

#include "app/MessageIds.h"
#include "gui/effect/EffectEditComponent.h"
#include "gui/effect/EffectParameterKnob.h"
#include "prefs/PreferencesData.h"

#include <gtest/gtest.h>

using DialogTestSupport::findNamed;

namespace
{
struct EffectEditComponentTest : ::testing::Test
{
    MainWindowBench window;
    EffectEditComponent page { window.bench, window.commandManager };

    EffectData& effect() const { return window.bench.dataCenter->getEditBank().getEffect(); }
    const EffectParameterAccessor& accessor() const { return window.bench.dataCenter->getEffectAccessor(); }

    juce::ComboBox& box (const juce::String& name) { return *dynamic_cast<juce::ComboBox*> (findNamed (page, name)); }
    juce::Viewport& viewport() { return *dynamic_cast<juce::Viewport*> (findNamed (page, "effect parametr edit")); }
    EffectParameterEditComponent& panel()
    {
        return *dynamic_cast<EffectParameterEditComponent*> (viewport().getViewedComponent());
    }

    // As the Host does after every change of the history.
    void refreshViews()
    {
        MessageEngine::broadcast (MessageIds::dataChanged);
        DialogTestSupport::deliverPosted();
    }

    void chooseType (int type)
    {
        box ("effect type").setSelectedId (type + 1, juce::sendNotificationSync);
        refreshViews();
    }

    // The pop-up of a list parameter, as the user picks an entry.
    void chooseListItem (int slot, int itemId)
    {
        auto* list = DialogTestSupport::findChild (*panel().getControl (slot),
                                                   [] (juce::Component& c) { return dynamic_cast<juce::ComboBox*> (&c) != nullptr; });
        dynamic_cast<juce::ComboBox*> (list)->setSelectedId (itemId, juce::sendNotificationSync);
        refreshViews();
    }
};

juce::Rectangle<int> cell (int n) { return { (n % 3) * 173 + 17, (n / 3) * 50 + 13, 163, 40 }; }
}

TEST_F (EffectEditComponentTest, EffectOffDisablesTheKnobBoxesAndEmptiesThePanel)
{
    chooseType (2);
    EXPECT_TRUE (box ("knob assign 1").isEnabled());
    EXPECT_EQ (box ("effect type").getText(), "Filter");

    chooseType (0);
    EXPECT_EQ (effect().getType(), 0);
    EXPECT_FALSE (box ("knob assign 1").isEnabled());
    EXPECT_FALSE (box ("knob assign 2").isEnabled());
    EXPECT_EQ (panel().getHeight(), 26);
    for (int slot = 0; slot < 20; ++slot)
        EXPECT_EQ (panel().getControl (slot), nullptr) << slot;
}

TEST_F (EffectEditComponentTest, TheLfoTwinsOfTheFilterShareACellAndTheSyncSwitchChoosesOne)
{
    chooseType (2);
    auto* frequency = panel().getControl (8);
    auto* syncNote = panel().getControl (9);
    ASSERT_NE (frequency, nullptr);
    ASSERT_NE (syncNote, nullptr);
    EXPECT_EQ (frequency->getBounds(), cell (10));
    EXPECT_EQ (syncNote->getBounds(), cell (10));
    EXPECT_FALSE (frequency->isVisible());
    EXPECT_TRUE (syncNote->isVisible());

    chooseListItem (7, 1);   // "LFO Tempo Sync" off
    EXPECT_EQ (accessor().getValue (effect(), 7), 0);
    EXPECT_TRUE (frequency->isVisible());
    EXPECT_FALSE (syncNote->isVisible());

    // "Mod Depth" reaches below zero, "Cutoff" does not.
    EXPECT_TRUE (dynamic_cast<EffectParameterKnob*> (panel().getControl (5))->usesCentredImage());
    EXPECT_FALSE (dynamic_cast<EffectParameterKnob*> (panel().getControl (2))->usesCentredImage());
}

TEST_F (EffectEditComponentTest, OneUndoOfATypeChangeBringsBackTypeParametersAndKnobs)
{
    chooseType (2);
    box ("knob assign 2").setSelectedItemIndex (0, juce::sendNotificationSync);
    chooseListItem (7, 1);
    const auto before = effect().getImage();
    ASSERT_EQ (accessor().getKnobAssign (effect(), 1), 0);

    chooseType (5);
    EXPECT_NE (effect().getImage(), before);

    window.bench.history.undo();
    refreshViews();
    EXPECT_EQ (effect().getImage(), before);
    EXPECT_EQ (box ("effect type").getSelectedId(), 3);
    EXPECT_EQ (box ("knob assign 2").getText(), accessor().getParameterName (effect(), 0));
    EXPECT_TRUE (panel().getControl (8)->isVisible());
}

TEST_F (EffectEditComponentTest, TurningAKnobIsOneUndoStepAndStoresTheValue)
{
    chooseType (2);
    auto* cutoff = panel().getControl (2);
    auto* knob = dynamic_cast<juce::Slider*> (findNamed (*cutoff, "Knob"));

    knob->setValue (70, juce::sendNotificationSync);
    knob->setValue (80, juce::sendNotificationSync);
    EXPECT_EQ (accessor().getValue (effect(), 2), 80);
    EXPECT_EQ (window.bench.history.getUndoDescription(), "EditEffectParameter");

    window.bench.history.undo();
    EXPECT_EQ (accessor().getValue (effect(), 2), 63);
    EXPECT_EQ (effect().getType(), 2);
}

TEST_F (EffectEditComponentTest, TheLongestPanelScrollsInsideTheViewport)
{
    page.setSize (560, 400);
    chooseType (9);
    EXPECT_EQ (panel().getHeight(), 376);
    EXPECT_EQ (viewport().getBounds(), juce::Rectangle<int> (6, 113, 543, 268));
    EXPECT_TRUE (viewport().getVerticalScrollBar().isVisible());
    EXPECT_FALSE (viewport().getHorizontalScrollBar().isVisible());

    viewport().setViewPosition (0, 100);
    EXPECT_EQ (viewport().getViewPositionY(), 100);
}

TEST_F (EffectEditComponentTest, ChildrenSitWhereTheLayoutPutsThem)
{
    page.setSize (560, 460);
    const std::pair<const char*, juce::Rectangle<int>> cases[] = {
        { "effect type",          { 123, 26, 153, 20 } },
        { "knob assign 1",        { 303, 26, 153, 20 } },
        { "knob assign 2",        { 303, 62, 153, 20 } },
        { "effect parametr edit", { 6, 113, 543, 460 - 132 } },
    };

    for (auto& [name, bounds] : cases)
        EXPECT_EQ (findNamed (page, name)->getBounds(), bounds) << name;

    EXPECT_EQ (DialogTestSupport::findButton (page, "RECEIVE")->getBounds(), juce::Rectangle<int> (24, 28, 64, 17));
    EXPECT_EQ (DialogTestSupport::findButton (page, "TRANSMIT")->getBounds(), juce::Rectangle<int> (24, 52, 64, 17));
    EXPECT_EQ (box ("effect type").getNumItems(), 22);
    EXPECT_EQ (box ("effect type").getItemText (21), "Looper");
}

TEST_F (EffectEditComponentTest, KnobsFollowTheKnobModeOfThePreferences)
{
    chooseType (2);
    auto* cutoff = dynamic_cast<juce::Slider*> (findNamed (*panel().getControl (2), "Knob"));
    EXPECT_EQ (cutoff->getSliderStyle(), juce::Slider::RotaryVerticalDrag);
    EXPECT_EQ (dynamic_cast<juce::Label*> (findNamed (*panel().getControl (2), "Value"))->getText(), "63");

    window.preferences().setNumber (PreferencesData::knobMode, 1);
    MessageEngine::broadcast (MessageIds::preferencesChanged);
    DialogTestSupport::deliverPosted();
    EXPECT_EQ (cutoff->getSliderStyle(), juce::Slider::Rotary);
}

// Cells of slots 0..19 by type, as the page's layout table lists them.
TEST_F (EffectEditComponentTest, EveryTypePutsItsControlsInTheCellsOfItsRow)
{
    const char* cellsByType[] = {
        "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0",
        "0 1 2 3 4 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0",
        "0 2 3 4 1 5 6 9 10 10 11 12 13 14 0 0 0 0 0 0",
        "0 1 3 6 7 8 9 10 11 12 13 14 4 15 16 17 0 0 0 0",
        "0 1 3 4 5 6 7 8 9 10 11 12 13 14 2 0 0 0 0 0",
        "0 1 2 3 4 5 6 9 10 10 11 12 13 14 0 0 0 0 0 0",
        "0 3 4 4 6 7 8 1 0 0 0 0 0 0 0 0 0 0 0 0",
        "0 2 3 4 6 7 4 6 7 9 10 1 11 0 0 0 0 0 0 0",
        "0 3 4 6 7 8 4 6 7 8 9 10 11 12 1 13 0 0 0 0",
        "0 3 4 6 7 4 6 7 9 10 12 13 13 14 15 16 17 18 19 1",
        "0 1 2 3 4 2 3 4 5 6 7 8 0 0 0 0 0 0 0 0",
        "0 3 4 6 7 4 6 7 9 10 11 12 13 1 14 15 16 17 18 0",
        "0 3 4 5 6 7 1 8 0 0 0 0 0 0 0 0 0 0 0 0",
        "0 1 2 3 4 6 7 7 8 9 10 11 12 13 0 0 0 0 0 0",
        "0 1 3 4 4 5 6 7 8 9 0 0 0 0 0 0 0 0 0 0",
        "0 1 2 3 4 5 6 7 7 8 9 10 11 12 13 0 0 0 0 0",
        "0 1 3 4 4 5 6 7 8 9 0 0 0 0 0 0 0 0 0 0",
        "0 1 3 3 4 5 6 7 8 8 9 10 11 12 13 0 0 0 0 0",
        "0 1 3 4 3 4 6 7 7 8 9 0 0 0 0 0 0 0 0 0",
        "0 1 2 3 4 5 4 5 6 7 8 9 10 0 0 0 0 0 0 0",
        "0 1 3 4 5 6 7 8 9 12 13 13 14 15 16 17 0 0 0 0",
        "0 1 2 3 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0",
    };

    for (int type = 0; type < 22; ++type)
    {
        effect().setByte (EffectData::typeByte, type);
        accessor().setDefaults (effect());
        panel().refresh();

        const auto cells = juce::StringArray::fromTokens (cellsByType[type], false);
        int lastRow = -1;

        for (int slot = 0; slot < 20; ++slot)
        {
            const auto* info = accessor().getParameterInfo (effect(), slot);
            const bool hasControl = info != nullptr && info->exists && info->control != EffectControl::None;
            auto* control = panel().getControl (slot);
            ASSERT_EQ (control != nullptr, hasControl) << "type " << type << " slot " << slot;

            if (control != nullptr)
            {
                EXPECT_EQ (control->getBounds(), cell (cells[slot].getIntValue())) << "type " << type << " slot " << slot;
                EXPECT_EQ (control->isVisible(), accessor().isActive (effect(), slot)) << "type " << type << " slot " << slot;
                lastRow = juce::jmax (lastRow, cells[slot].getIntValue() / 3);
            }
        }

        EXPECT_EQ (panel().getHeight(), 50 * (lastRow + 1) + 26) << "type " << type;
    }
}

#include "gui/main/MainWindowTestSupport.h"

#include "app/MessageIds.h"
#include "audio/AudioTestFiles.h"
#include "commands/CommandIds.h"
#include "gui/main/MainComponent.h"
#include "gui/sample/SampleCenterParameterKnob.h"
#include "gui/sample/SampleEditComponent.h"
#include "gui/sample/SampleLevelParameterKnob.h"
#include "gui/sample/SamplePanParameterKnob.h"
#include "gui/sample/SamplePitchParameterKnob.h"
#include "gui/widgets/FontManager.h"
#include "gui/widgets/ImageResourceManager.h"
#include "gui/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>

using DialogTestSupport::findNamed;

namespace
{
struct SampleEditComponentTest : ::testing::Test
{
    MainWindowBench window;
    SingletonReference<ImageResourceManager> images;
    SingletonReference<FontManager> fonts;
    MainComponent main { window.bench, window.commandManager, window.actionTarget };
    SampleEditComponent* page = nullptr;
    CommandTestSupport::CommandBench& bench = window.bench;

    SampleEditComponentTest()
    {
        main.setSize (794, 540);
        // Keys are found under the mouse only in a window on the screen.
        main.addToDesktop (0);
        main.setVisible (true);
        main.setPage (CommandGui::samplePage);
        page = dynamic_cast<SampleEditComponent*> (findNamed (main, "SampleEdit"));
    }

    ~SampleEditComponentTest() override { juce::ModifierKeys::currentModifiers = {}; }

    SampleParameterEditComponent& panel() { return page->getParameterPanel(); }
    DraggableKeyboard& keyboard() { return page->getSelectStrip().getKeyboard(); }
    juce::Button& button (const juce::String& name) { return *dynamic_cast<juce::Button*> (findNamed (*page, name)); }

    // Turns a knob as the mouse does: the value stored and the listeners told.
    void turn (int parameterId, double value) { panel().getKnob (parameterId)->setValue (value, juce::sendNotificationSync); }

    juce::MouseEvent mouseOnKey (int note, juce::Point<float> downAt, int heldMs)
    {
        const auto now = juce::Time::getCurrentTime();
        const auto at = keyboard().getRectangleForKey (note).getCentre();
        return { juce::Desktop::getInstance().getMainMouseSource(), at, juce::ModifierKeys::currentModifiers, 1.0f,
                 0.0f, 0.0f, 0.0f, 0.0f, &keyboard(), &keyboard(), now, downAt, now - juce::RelativeTime::milliseconds (heldMs), 1, false };
    }

    juce::MouseEvent mouseDownOnKey (int note)
    {
        return mouseOnKey (note, keyboard().getRectangleForKey (note).getCentre(), 0);
    }

    // A key pressed on one key and released on another after a drag.
    void dragKey (int fromNote, int toNote)
    {
        keyboard().mouseDown (mouseDownOnKey (fromNote));
        const juce::DragAndDropTarget::SourceDetails drop ({}, &keyboard(), keyboard().getRectangleForKey (toNote).getCentre().toInt());
        keyboard().itemDropped (drop);
        keyboard().mouseUp (mouseDownOnKey (fromNote));
        DialogTestSupport::deliverPosted();
    }

    void refresh()
    {
        MessageEngine::broadcast (MessageIds::dataChanged);
        DialogTestSupport::deliverPosted();
    }
};

struct BoundsCase
{
    const char* name;
    juce::Rectangle<int> bounds;   // in the page
};
}

TEST_F (SampleEditComponentTest, ChildrenSitWhereTheLayoutPutsThem)
{
    ASSERT_NE (page, nullptr);
    EXPECT_EQ (page->getBounds(), juce::Rectangle<int> (234, 80, 560, 460));

    const BoundsCase cases[] = {
        { "SampleSelect",           { 0, 0, 560, 101 } },
        { "Receive",                { 24, 28, 64, 17 } },
        { "Transmit",               { 24, 52, 64, 17 } },
        { "sample select keyboard", { 118, 20, 316, 63 } },
        { "AudioInThruFx",          { 466, 67, 50, 17 } },
        { "SampleParameterEdit",    { 0, 101, 560, 123 } },
        { "KeyName",                { 112, 101 + 13, 36, 24 } },
        { "SampleName",             { 28, 101 + 47, 96, 24 } },
        { "WaveEditor",             { 24, 101 + 76, 54, 36 } },
        { "Load",                   { 84, 101 + 76, 54, 17 } },
        { "Delete",                 { 84, 101 + 95, 54, 17 } },
        { "PitchShift",             { 158, 101 + 19, 60, 17 } },
        { "TimeStretch",            { 158, 101 + 41, 60, 17 } },
        { "SyncOff",                { 158, 101 + 64, 60, 17 } },
        { "Semitone",               { 227, 101 + 46, 96, 34 } },
        { "Tune",                   { 227, 101 + 84, 96, 34 } },
        { "Level",                  { 337, 101 + 8, 96, 34 } },
        { "Pan",                    { 337, 101 + 46, 96, 34 } },
        { "VeloInt",                { 337, 101 + 84, 96, 34 } },
        { "Decay",                  { 447, 101 + 8, 96, 34 } },
        { "Release",                { 447, 101 + 46, 96, 34 } },
        { "Loop",                   { 229, 101 + 19, 50, 17 } },
        { "Reverse",                { 283, 101 + 19, 50, 17 } },
        { "Fx SW",                  { 449, 101 + 95, 50, 17 } },
        { "LevelValue",             { 337 + 1, 101 + 8 + 11, 50, 17 } },
        { "LevelKnob",              { 337 + 57, 101 + 8, 36, 36 } },
        { "WaveformEditor",         { 0, 224, 560, 460 - 224 } },
    };

    for (auto& c : cases)
    {
        auto* child = findNamed (*page, c.name);
        ASSERT_NE (child, nullptr) << c.name;
        EXPECT_EQ (page->getLocalArea (child->getParentComponent(), child->getBounds()), c.bounds) << c.name;
    }

    EXPECT_NE (dynamic_cast<SampleCenterParameterKnob*> (findNamed (*page, "Semitone")), nullptr);
    EXPECT_NE (dynamic_cast<SampleCenterParameterKnob*> (findNamed (*page, "VeloInt")), nullptr);
    EXPECT_NE (dynamic_cast<SamplePitchParameterKnob*> (findNamed (*page, "Tune")), nullptr);
    EXPECT_NE (dynamic_cast<SampleLevelParameterKnob*> (findNamed (*page, "Level")), nullptr);
    EXPECT_NE (dynamic_cast<SamplePanParameterKnob*> (findNamed (*page, "Pan")), nullptr);
    EXPECT_EQ (panel().getKnob (SampleData::semitone)->getMinimum(), -24.0);
    EXPECT_EQ (panel().getKnob (SampleData::veloInt)->getMaximum(), 63.0);
}

TEST_F (SampleEditComponentTest, StripAndPanelPaintTheirSkinAndTheSelectedKeyShowsHeld)
{
    const auto strip = WidgetTestSupport::render (page->getSelectStrip());
    const auto stripSkin = ImageResourceManager::imageFor ("BackgroundSampleSelect");
    ASSERT_TRUE (stripSkin.isValid());
    EXPECT_EQ (strip.getPixelAt (5, 5), stripSkin.getPixelAt (5, 5));

    const auto panelImage = WidgetTestSupport::render (panel());
    const auto panelSkin = ImageResourceManager::imageFor ("BackgroundSampleParameterEdit");
    ASSERT_TRUE (panelSkin.isValid());
    EXPECT_EQ (panelImage.getPixelAt (5, 5), panelSkin.getPixelAt (5, 5));

    // The top row of a knob's label image shows above its value label.
    const auto knobLabel = ImageResourceManager::imageFor ("SampleParameterKnobLabel");
    int opaque = 0;
    for (int x = 0; x < knobLabel.getWidth(); ++x)
    {
        if (knobLabel.getPixelAt (x, 0).isOpaque())
        {
            ++opaque;
            EXPECT_EQ (panelImage.getPixelAt (447 + x, 8 + 10), knobLabel.getPixelAt (x, 0)) << x;
        }
    }
    EXPECT_GT (opaque, 0);

    // Sample 2 is D3: its key, not C3's, carries the pressed colour.
    bench.setCurrentSample (2);
    refresh();
    const auto keys = WidgetTestSupport::render (keyboard());
    const auto held = keyboard().getRectangleForKey (62).getCentre().toInt();
    const auto free = keyboard().getRectangleForKey (60).getCentre().toInt();
    EXPECT_TRUE (WidgetTestSupport::closeTo (keys.getPixelAt (held.x, held.y + 20), juce::Colour (0xff960f00), 30));
    EXPECT_FALSE (WidgetTestSupport::closeTo (keys.getPixelAt (free.x, free.y + 20), juce::Colour (0xff960f00), 30));
    EXPECT_EQ (dynamic_cast<juce::Label*> (findNamed (*page, "KeyName"))->getText(), "D3");

    // Something dragged over a key shows that key pressed too.
    juce::Component dragged;
    const auto over = keyboard().getRectangleForKey (65).getCentre().toInt();
    keyboard().itemDragEnter ({ {}, &dragged, over });
    const auto keysUnderDrag = WidgetTestSupport::render (keyboard());
    EXPECT_TRUE (WidgetTestSupport::closeTo (keysUnderDrag.getPixelAt (over.x, over.y + 20), juce::Colour (0xff960f00), 30));
    keyboard().itemDragExit ({ {}, &dragged, over });
    EXPECT_EQ (keyboard().getDragOverNote(), -1);
}

TEST_F (SampleEditComponentTest, PitchShiftGreysOutSemitoneAndTuneUntilAnotherModeIsChosen)
{
    button ("PitchShift").triggerClick();
    DialogTestSupport::deliverPosted();
    refresh();
    EXPECT_EQ (bench.sample (0).getParameter (SampleData::bpmSync), 2);
    EXPECT_FALSE (panel().getKnob (SampleData::semitone)->isEnabled());
    EXPECT_FALSE (panel().getKnob (SampleData::tune)->isEnabled());
    EXPECT_TRUE (panel().getKnob (SampleData::level)->isEnabled());
    EXPECT_TRUE (button ("PitchShift").getToggleState());

    button ("TimeStretch").triggerClick();
    DialogTestSupport::deliverPosted();
    refresh();
    EXPECT_EQ (bench.sample (0).getParameter (SampleData::bpmSync), 1);
    EXPECT_TRUE (panel().getKnob (SampleData::semitone)->isEnabled());
    EXPECT_TRUE (panel().getKnob (SampleData::tune)->isEnabled());
    EXPECT_FALSE (button ("PitchShift").getToggleState());
}

// The coalescer's timer is driven by hand: nothing here waits.
TEST_F (SampleEditComponentTest, KnobTurnsCloseTogetherUndoInOneStepAndApartInTwo)
{
    const int before = bench.sample (0).getParameter (SampleData::decay);
    turn (SampleData::decay, 10);
    panel().getCoalescer().elapse (200);
    turn (SampleData::decay, 20);
    panel().getCoalescer().elapse (200);
    turn (SampleData::decay, 30);
    EXPECT_EQ (bench.sample (0).getParameter (SampleData::decay), 30);
    EXPECT_EQ (bench.history.getUndoDescription(), "EditSampleParameter");

    bench.history.undo();
    EXPECT_EQ (bench.sample (0).getParameter (SampleData::decay), before);

    turn (SampleData::decay, 40);
    panel().getCoalescer().elapse (2000);
    turn (SampleData::decay, 50);
    bench.history.undo();
    EXPECT_EQ (bench.sample (0).getParameter (SampleData::decay), 40);
    bench.history.undo();
    EXPECT_EQ (bench.sample (0).getParameter (SampleData::decay), before);
}

TEST_F (SampleEditComponentTest, TypedValuesAndNamesAreStoredAsTheSampleKeepsThem)
{
    auto* levelLabel = dynamic_cast<juce::Label*> (findNamed (*page, "LevelValue"));
    levelLabel->setText ("+0.0dB", juce::sendNotificationSync);
    EXPECT_EQ (bench.sample (0).getParameter (SampleData::level), 101);

    const int loop = bench.sample (0).getParameter (SampleData::loop);
    button ("Loop").triggerClick();
    DialogTestSupport::deliverPosted();
    EXPECT_EQ (bench.sample (0).getParameter (SampleData::loop), 1 - loop);

    auto* nameLabel = dynamic_cast<juce::Label*> (findNamed (*page, "SampleName"));
    nameLabel->setText ("kick", juce::sendNotificationSync);
    EXPECT_EQ (bench.sample (0).getName(), "KICK");
    EXPECT_EQ (bench.history.getUndoDescription(), "EditSampleName");
    EXPECT_EQ (nameLabel->getText(), "KICK");
}

TEST_F (SampleEditComponentTest, DraggedKeysCopyWithCtrlAndSwapWithoutAndAShortClickOnlySelects)
{
    CommandTestSupport::fillSample (bench.sample (0), 100);
    bench.sample (0).setName ("KICK");
    bench.sample (2).setName ("SNARE");

    juce::ModifierKeys::currentModifiers = juce::ModifierKeys (juce::ModifierKeys::ctrlModifier);
    dragKey (60, 62);
    EXPECT_EQ (bench.sample (2).getName(), "KICK");
    EXPECT_EQ (bench.sample (2).getNumFrames(), 100);
    EXPECT_EQ (bench.sample (0).getName(), "KICK");
    EXPECT_EQ (bench.history.getUndoDescription(), "CopySample");
    EXPECT_EQ (keyboard().getDragStartNote(), -1);

    bench.history.undo();
    juce::ModifierKeys::currentModifiers = {};
    dragKey (60, 62);
    EXPECT_EQ (bench.sample (2).getName(), "KICK");
    EXPECT_EQ (bench.sample (0).getName(), "SNARE");
    EXPECT_EQ (bench.history.getUndoDescription(), "SwapSample");

    // Less than 10 pixels and 500 ms: no drag, the key is only selected.
    auto& strip = page->getSelectStrip();
    const auto down = keyboard().getRectangleForKey (64).getCentre();
    EXPECT_FALSE (strip.shouldStartDrag (mouseOnKey (64, down.translated (-5, 0), 100)));
    EXPECT_TRUE (strip.shouldStartDrag (mouseOnKey (64, down.translated (-11, 0), 100)));
    EXPECT_TRUE (strip.shouldStartDrag (mouseOnKey (64, down, 600)));

    const int undoSteps = bench.history.getNumActionsInCurrentTransaction();
    keyboard().mouseDown (mouseDownOnKey (64));
    keyboard().mouseUp (mouseDownOnKey (64));
    DialogTestSupport::deliverPosted();
    EXPECT_EQ (bench.currentSampleIndex(), 4);
    EXPECT_EQ (bench.history.getNumActionsInCurrentTransaction(), undoSteps);
    EXPECT_EQ (strip.dragText (62), "D3 : KICK");

    const auto image = strip.createDragImage (62);
    EXPECT_EQ (image.getBounds(), juce::Rectangle<int> (0, 0, 152, 24));
    EXPECT_TRUE (WidgetTestSupport::closeTo (image.getPixelAt (1, 1), juce::Colours::white.withAlpha (0.5f)));
}

TEST_F (SampleEditComponentTest, AWaveFromTheBrowserDroppedOnAKeyGoesIntoThatSlot)
{
    const auto wave = bench.folders.temp.folder.getChildFile ("HAT.WAV");
    ASSERT_TRUE (AudioTestFiles::writeWav (wave, 48000.0, 1, 480, AudioTestFiles::constant (0.25f)));

    juce::Component browserItem;
    browserItem.getProperties().set (MainComponent::fullPathProperty, wave.getFullPathName());
    const juce::DragAndDropTarget::SourceDetails drop (MainComponent::browserDragDescription, &browserItem,
                                                        keyboard().getRectangleForKey (65).getCentre().toInt());
    EXPECT_TRUE (keyboard().isInterestedInDragSource (drop));
    keyboard().itemDropped (drop);
    DialogTestSupport::deliverPosted();

    EXPECT_EQ (bench.currentSampleIndex(), 5);
    EXPECT_GE (bench.sample (5).getNumFrames(), 480);
    EXPECT_EQ (bench.history.getUndoDescription(), "ImportSample");

    // On the page itself only sample and audio files are taken.
    const auto global = bench.folders.temp.folder.getChildFile ("a.plvr_glob");
    ASSERT_TRUE (global.replaceWithText ("x"));
    EXPECT_TRUE (page->isInterestedInFileDrag ({ global.getFullPathName(), wave.getFullPathName() }));
    EXPECT_FALSE (page->isInterestedInFileDrag ({ global.getFullPathName() }));
}

TEST_F (SampleEditComponentTest, CutCopyPasteAndClearWorkOnTheSelectedSampleWhileTheGuiIsFree)
{
    juce::ApplicationCommandInfo info (CommandIds::cut);
    page->getCommandInfo (CommandIds::cut, info);
    EXPECT_EQ (info.shortName, "Cut Sample Data");
    EXPECT_EQ (info.categoryName, "Edit");
    EXPECT_EQ (info.flags & juce::ApplicationCommandInfo::isDisabled, 0);

    bench.gui.busy = true;
    page->getCommandInfo (CommandIds::paste, info);
    EXPECT_EQ (info.shortName, "Paste Sample Data");
    EXPECT_NE (info.flags & juce::ApplicationCommandInfo::isDisabled, 0);
    bench.gui.busy = false;

    CommandTestSupport::fillSample (bench.sample (0), 64);
    bench.sample (0).setName ("TOM");
    EXPECT_TRUE (page->invoke (juce::ApplicationCommandTarget::InvocationInfo (CommandIds::copy), false));
    bench.setCurrentSample (7);
    EXPECT_TRUE (page->invoke (juce::ApplicationCommandTarget::InvocationInfo (CommandIds::paste), false));
    EXPECT_EQ (bench.sample (7).getName(), "TOM");
    EXPECT_EQ (bench.history.getUndoDescription(), "PasteSample");

    // Commands of other kinds go on to the action manager.
    EXPECT_TRUE (page->invoke (juce::ApplicationCommandTarget::InvocationInfo (CommandIds::about), false));
    EXPECT_EQ (bench.gui.aboutShown, 1);
}

TEST_F (SampleEditComponentTest, AClickedKeyPlaysOnlyWhileTheWaveformEditorIsShown)
{
    CommandTestSupport::fillSample (bench.sample (3), 4800);
    CommandTestSupport::fillSample (bench.sample (4), 4800);
    bench.gui.waveformEditorShown = false;
    keyboard().mouseDown (mouseDownOnKey (63));
    keyboard().mouseUp (mouseDownOnKey (63));
    DialogTestSupport::deliverPosted();
    EXPECT_EQ (bench.currentSampleIndex(), 3);
    EXPECT_FALSE (bench.players->isPlaying());

    bench.gui.waveformEditorShown = true;
    keyboard().mouseDown (mouseDownOnKey (64));
    keyboard().mouseUp (mouseDownOnKey (64));
    DialogTestSupport::deliverPosted();
    EXPECT_TRUE (bench.players->isPlaying());
}

TEST_F (SampleEditComponentTest, TransmitBlinksWithTheNoticeAndTheSwitchHidesTheWaveformEditor)
{
    auto& transmit = button ("Transmit");
    bench.notices.setSampleNotice (0, true);
    DialogTestSupport::deliverPosted();
    EXPECT_TRUE (transmit.getToggleState());
    bench.notices.setSampleNotice (0, false);
    DialogTestSupport::deliverPosted();
    EXPECT_FALSE (transmit.getToggleState());

    ASSERT_NE (page->getWaveformEditor(), nullptr);
    button ("WaveEditor").triggerClick();
    DialogTestSupport::deliverPosted();
    EXPECT_FALSE (window.preferences().getFlag (PreferencesData::showWaveformEditor));
    EXPECT_EQ (page->getWaveformEditor(), nullptr);
}

TEST_F (SampleEditComponentTest, StripButtonsReachTheDeviceAndSwitchTheBanksAudioInThruFx)
{
    CommandTestSupport::SessionWatcher watcher (bench.device.getManager());
    CommandTestSupport::fillSample (bench.sample (0), 480);

    for (auto* name : { "Transmit", "Receive" })
    {
        const int finished = watcher.finished;
        button (name).triggerClick();
        ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return watcher.finished > finished; }, 20000)) << name;
        EXPECT_TRUE (watcher.lastResult) << name;
        bench.gui.closeSessionDialog();
    }

    ASSERT_EQ (bench.gui.sessionDialogs.size(), 2u);
    EXPECT_EQ (bench.gui.sessionDialogs[0].title, "Transmit Sample Data");
    EXPECT_EQ (bench.gui.sessionDialogs[1].title, "Receive Sample Data");
    EXPECT_EQ (bench.sample (0).getNumFrames(), 480);

    const bool thru = bench.dataCenter->getEditBank().getAudioInThruFx();
    button ("AudioInThruFx").triggerClick();
    DialogTestSupport::deliverPosted();
    EXPECT_EQ (bench.dataCenter->getEditBank().getAudioInThruFx(), ! thru);
    EXPECT_EQ (bench.history.getUndoDescription(), "EditBankParameter");
}

TEST_F (SampleEditComponentTest, WhileTheFocusIsInThePageItTakesTheCommandsBeforeTheActionManager)
{
    EXPECT_EQ (main.getNextCommandTarget(), &window.actionTarget);

    keyboard().grabKeyboardFocus();
    ASSERT_TRUE (page->hasKeyboardFocus (true));
    EXPECT_EQ (main.getNextCommandTarget(), page);

    juce::ApplicationCommandInfo info (CommandIds::copy);
    EXPECT_EQ (window.commandManager.getTargetForCommand (CommandIds::copy, info), page);
    EXPECT_EQ (info.shortName, "Copy Sample Data");
}

#include "gui/main/MainWindowTestSupport.h"

#include "app/MessageIds.h"
#include "commands/CommandIds.h"
#include "gui/main/MainComponent.h"
#include "gui/pattern/PatternEditComponent.h"
#include "gui/widgets/WidgetTestSupport.h"
#include "files/DataFileAccess.h"

#include <gtest/gtest.h>

using DialogTestSupport::findNamed;

namespace
{
// Cells exist only while the pattern page is the current page.
struct OnThePatternPage
{
    explicit OnThePatternPage (MainWindowBench& window) { window.bench.gui.page = CommandGui::patternPage; }
};

struct PatternEditComponentTest : ::testing::Test
{
    MainWindowBench window;
    OnThePatternPage patternPage { window };
    PatternEditComponent page { window.bench, window.commandManager };

    CustomTableListBox& list() { return *dynamic_cast<CustomTableListBox*> (findNamed (page, "Pattern List")); }
    SequenceData& pattern (int row) { return *window.bench.dataCenter->getEditBank().getPattern (row); }
    juce::UndoManager& history() { return window.bench.history; }

    // As the Host does after every change of the history.
    void refreshViews()
    {
        MessageEngine::broadcast (MessageIds::dataChanged);
        DialogTestSupport::deliverPosted();
    }

    juce::ComboBox& cellBox (int columnId, int row)
    {
        auto* cell = list().getCellComponent (columnId, row);
        return *dynamic_cast<juce::ComboBox*> (DialogTestSupport::findChild (*cell, [] (juce::Component& c)
        {
            return dynamic_cast<juce::ComboBox*> (&c) != nullptr;
        }));
    }

    juce::Point<int> pointInRow (int row) { return list().getRowPosition (row, true).getCentre(); }

    void dropOnList (const juce::String& description, juce::Component& source, juce::Point<int> position)
    {
        const juce::DragAndDropTarget::SourceDetails details (description, &source, position);
        ASSERT_TRUE (list().isInterestedInDragSource (details));
        list().itemDropped (details);
        DialogTestSupport::deliverPosted();
    }
};

// Format 0, one track, 96 ticks a quarter: one middle C of a quarter note.
const uint8_t oneNoteSmf[] = {
    'M', 'T', 'h', 'd', 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x01, 0x00, 0x60,
    'M', 'T', 'r', 'k', 0x00, 0x00, 0x00, 0x0C,
    0x00, 0x90, 0x3C, 0x64,
    0x60, 0x80, 0x3C, 0x00,
    0x00, 0xFF, 0x2F, 0x00,
};
}

TEST_F (PatternEditComponentTest, ChildrenSitWhereTheLayoutPutsThem)
{
    page.setSize (560, 460);
    const std::pair<const char*, juce::Rectangle<int>> labels[] = {
        { "Pattern List",          { 112, 20, 423, 460 - 45 } },
        { "global midi channel",   { 16, 241, 80, 16 } },
        { "keyboard midi channel", { 16, 293, 80, 16 } },
    };
    const std::pair<const char*, juce::Rectangle<int>> buttons[] = {
        { "RECEIVE",    { 24, 28, 64, 17 } },
        { "TRANSMIT",   { 24, 52, 64, 17 } },
        { "LOAD",       { 24, 90, 64, 17 } },
        { "SAVE",       { 24, 115, 64, 17 } },
        { "IMPORT SMF", { 24, 152, 64, 17 } },
        { "EXPORT SMF", { 24, 177, 64, 17 } },
    };

    for (auto& [name, bounds] : labels)
        EXPECT_EQ (findNamed (page, name)->getBounds(), bounds) << name;
    for (auto& [text, bounds] : buttons)
        EXPECT_EQ (DialogTestSupport::findButton (page, text)->getBounds(), bounds) << text;

    auto& header = list().getHeader();
    EXPECT_EQ (list().getHeaderHeight(), 25);
    EXPECT_EQ (header.getColumnName (4), "KEYBOARD MODE SAMPLE No.");
    EXPECT_EQ (header.getColumnWidth (2), 100);
}

TEST_F (PatternEditComponentTest, RowsAreShadedWhenSelectedAndUnderADrag)
{
    list().selectRow (1);
    list().itemDragEnter ({ "SequenceListDrag", &list(), pointInRow (4) });
    const auto image = WidgetTestSupport::render (list());
    const auto shade = [&] (int row) { return image.getPixelAt (5, pointInRow (row).y); };

    EXPECT_TRUE (WidgetTestSupport::closeTo (shade (0), juce::Colours::white)) << shade (0).toString();
    EXPECT_TRUE (WidgetTestSupport::closeTo (shade (1), juce::Colours::white.interpolatedWith (juce::Colour (0xffd3d3d3), 0.5f)))
        << shade (1).toString();
    EXPECT_TRUE (WidgetTestSupport::closeTo (shade (4), juce::Colours::white.interpolatedWith (juce::Colour (0xffaaaaaa), 0.5f)))
        << shade (4).toString();
    EXPECT_EQ (image.getPixelAt (20, 5), juce::Colour (0xffb2b2b2));
    EXPECT_EQ (image.getPixelAt (39, pointInRow (0).y), juce::Colour (0xffa3a3a3));   // the first column's right edge

    list().itemDragExit ({ "SequenceListDrag", &list(), {} });
    EXPECT_FALSE (list().isDragOver());
}

TEST_F (PatternEditComponentTest, TheTransmitButtonBlinksWithThePatternSetNotice)
{
    auto* transmit = DialogTestSupport::findButton (page, "TRANSMIT");
    window.bench.notices.setPatternSetNotice (true);
    DialogTestSupport::deliverPosted();
    EXPECT_TRUE (transmit->getToggleState());

    window.bench.notices.setPatternSetNotice (false);
    DialogTestSupport::deliverPosted();
    EXPECT_FALSE (transmit->getToggleState());
}

TEST_F (PatternEditComponentTest, APatternSetFileDroppedOnThePageIsLoaded)
{
    SequenceSet patterns;
    patterns.getPattern (9)->setName ("DROPPED");
    const auto file = window.bench.folders.temp.folder.getChildFile ("set.plvr_seq");
    ASSERT_EQ (DataFileAccess::write (patterns, file), "");
    juce::Component browserItem;
    browserItem.getProperties().set (MainComponent::fullPathProperty, file.getFullPathName());
    const juce::DragAndDropTarget::SourceDetails details (MainComponent::browserDragDescription, &browserItem, { 5, 5 });

    EXPECT_FALSE (list().isInterestedInDragSource (details));
    ASSERT_TRUE (page.isInterestedInDragSource (details));
    page.itemDropped (details);
    DialogTestSupport::deliverPosted();
    EXPECT_EQ (pattern (9).getName(), "DROPPED");
    EXPECT_EQ (history().getUndoDescription(), "LoadSequence");
}

TEST_F (PatternEditComponentTest, AnUnsetKeyboardSampleShowsTheFirstAndChoosingStoresItsIndex)
{
    window.bench.sample (0).setName ("KICK");
    pattern (2).getBytes()[480] = 0xFF;
    refreshViews();

    auto& box = cellBox (PatternEditComponent::sampleColumn, 2);
    EXPECT_EQ (box.getNumItems(), 36);
    EXPECT_EQ (box.getSelectedItemIndex(), 0);
    EXPECT_EQ (box.getItemText (0), "1: KICK");

    box.setSelectedItemIndex (35, juce::sendNotificationSync);
    EXPECT_EQ (pattern (2).getBytes()[480], 0x23);
    EXPECT_EQ (history().getUndoDescription(), "EditSequenceParameter");

    box.setSelectedItemIndex (0, juce::sendNotificationSync);
    EXPECT_EQ (pattern (2).getBytes()[480], 0x00);
}

TEST_F (PatternEditComponentTest, ALengthIsWrittenBigEndianAndAShortBlockShowsNone)
{
    cellBox (PatternEditComponent::lengthColumn, 1).setSelectedId (99, juce::sendNotificationSync);
    EXPECT_EQ (pattern (1).getBytes()[8], 0x00);
    EXPECT_EQ (pattern (1).getBytes()[9], 0x63);

    const juce::MemoryBlock shortBlock (600, true);
    pattern (4).setBlock (shortBlock.getData(), shortBlock.getSize());
    refreshViews();
    EXPECT_EQ (cellBox (PatternEditComponent::lengthColumn, 4).getSelectedItemIndex(), -1);
    EXPECT_EQ (cellBox (PatternEditComponent::sampleColumn, 4).getSelectedItemIndex(), 0);

    cellBox (PatternEditComponent::lengthColumn, 4).setSelectedId (7, juce::sendNotificationSync);
    EXPECT_EQ (pattern (4).getBlock(), shortBlock);
    EXPECT_EQ (history().getUndoDescription(), "EditSequenceParameter");
}

TEST_F (PatternEditComponentTest, RefreshingShowsTheDataAndRecordsNothing)
{
    pattern (5).setName ("GROOVE");
    pattern (5).setKeyboardSample (9);
    window.bench.dataCenter->getGlobalData().setImage ("\x00\x00\x00\x00\x00\x2A\x1F", 7);
    window.bench.currentPattern = 5;
    refreshViews();
    refreshViews();

    EXPECT_FALSE (history().canUndo());
    EXPECT_EQ (list().getSelectedRow(), 5);
    EXPECT_EQ (cellBox (PatternEditComponent::sampleColumn, 5).getSelectedItemIndex(), 9);
    EXPECT_EQ (dynamic_cast<juce::Label*> (findNamed (page, "global midi channel"))->getText(), "11");
    EXPECT_EQ (dynamic_cast<juce::Label*> (findNamed (page, "keyboard midi channel"))->getText(), "16");
    auto* name = dynamic_cast<juce::Label*> (findNamed (*list().getCellComponent (PatternEditComponent::nameColumn, 5),
                                                        "SequenceNameEditor"));
    EXPECT_EQ (name->getText(), "GROOVE");

    name->setText ("break", juce::sendNotificationSync);
    EXPECT_EQ (pattern (5).getName(), "BREAK");
    EXPECT_EQ (history().getUndoDescription(), "EditSequenceParameter");
}

TEST_F (PatternEditComponentTest, ARowDroppedOnAnotherSwapsThemOrWithCtrlCopiesAndTheTargetBecomesCurrent)
{
    pattern (3).setName ("THREE");
    pattern (7).setName ("SEVEN");
    list().selectRow (3);
    EXPECT_EQ (window.bench.currentPattern, 3);

    dropOnList ("SequenceListDrag", list(), pointInRow (7));
    EXPECT_EQ (pattern (3).getName(), "SEVEN");
    EXPECT_EQ (pattern (7).getName(), "THREE");
    EXPECT_EQ (window.bench.currentPattern, 7);
    EXPECT_EQ (history().getUndoDescription(), "SwapSequence");

    list().selectRow (3);
    dropOnList ("SequenceListDrag", list(), { 100, 10 });   // onto the header
    dropOnList ("SequenceListDrag", list(), pointInRow (3));
    EXPECT_EQ (pattern (3).getName(), "SEVEN");
    EXPECT_EQ (window.bench.currentPattern, 3);

    juce::ModifierKeys::currentModifiers = juce::ModifierKeys::ctrlModifier;
    dropOnList ("SequenceListDrag", list(), pointInRow (7));
    juce::ModifierKeys::currentModifiers = {};
    EXPECT_EQ (pattern (3).getName(), "SEVEN");
    EXPECT_EQ (pattern (7).getName(), "SEVEN");
    EXPECT_EQ (window.bench.currentPattern, 7);
    EXPECT_EQ (history().getUndoDescription(), "CopySequence");
}

TEST_F (PatternEditComponentTest, AnSmfDroppedOnARowIsImportedThereAndBelowTheLastRowNowhere)
{
    page.setSize (560, 500);   // room below the sixteenth row
    const auto smf = window.bench.folders.temp.folder.getChildFile ("one note.mid");
    smf.replaceWithData (oneNoteSmf, sizeof (oneNoteSmf));
    juce::Component browserItem;
    browserItem.getProperties().set (MainComponent::fullPathProperty, smf.getFullPathName());
    const auto untouched = pattern (15).getBlock();

    dropOnList (MainComponent::browserDragDescription, browserItem, { 100, list().getHeight() - 5 });
    EXPECT_EQ (list().rowAt ({ 100, list().getHeight() - 5 }), -1);
    EXPECT_FALSE (history().canUndo());
    EXPECT_EQ (pattern (15).getBlock(), untouched);

    dropOnList (MainComponent::browserDragDescription, browserItem, pointInRow (2));
    EXPECT_EQ (history().getUndoDescription(), "ImportSmf");
    EXPECT_NE (pattern (2).getBlock(), pattern (15).getBlock());
}

TEST_F (PatternEditComponentTest, ClearPatternActsOnTheSelectedRowWhileTheGuiIsFree)
{
    pattern (6).setName ("SIX");
    list().selectRow (6);

    juce::ApplicationCommandInfo info (CommandIds::clear);
    page.getCommandInfo (CommandIds::clear, info);
    EXPECT_EQ (info.shortName, "Clear Pattern Data");
    EXPECT_EQ (info.flags & juce::ApplicationCommandInfo::isDisabled, 0);

    ASSERT_TRUE (page.perform (juce::ApplicationCommandTarget::InvocationInfo (CommandIds::clear)));
    EXPECT_EQ (pattern (6).getName(), "INITPTRN");

    window.bench.gui.busy = true;
    page.getCommandInfo (CommandIds::clear, info);
    EXPECT_NE (info.flags & juce::ApplicationCommandInfo::isDisabled, 0);
    window.bench.gui.busy = false;
}

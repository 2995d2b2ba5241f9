#include "gui/main/MainWindowTestSupport.h"
#include "audio/AudioTestFiles.h"

#include "app/MessageIds.h"
#include "gui/browser/BrowserComponent.h"
#include "gui/browser/CustomFileListTreeItem.h"
#include "gui/main/MainComponent.h"
#include "gui/widgets/ImageResourceManager.h"
#include "gui/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>

using DialogTestSupport::deliverPosted;
using DialogTestSupport::findNamed;

namespace
{
bool samePixels (const juce::Image& a, const juce::Image& b)
{
    if (! a.isValid() || a.getBounds() != b.getBounds())
        return false;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;
    return true;
}

struct BrowserTest : ::testing::Test
{
    MainWindowBench window;
    SingletonReference<ImageResourceManager> images;
    const juce::File folder = window.bench.folders.temp.folder.getChildFile ("Browsed");
    std::unique_ptr<BrowserComponent> browser;

    BrowserTest()
    {
        folder.createDirectory();
        window.preferences().setText (PreferencesData::sampleFileTreeLastFolder, folder.getFullPathName());
    }

    juce::File write (const juce::String& path)
    {
        const auto file = folder.getChildFile (path);
        file.getParentDirectory().createDirectory();
        if (FileFormatManager::typeOf (file) == FileFormatManager::importableAudio)
            AudioTestFiles::writeWav (file, 48000.0, 1, 4800, AudioTestFiles::constant (0.25f));
        else
            file.replaceWithText ("-");
        return file;
    }

    BrowserComponent& open()
    {
        browser = std::make_unique<BrowserComponent> (window.bench);
        browser->setSize (MainComponent::browserWidth, 540);
        return *browser;
    }

    CustomFileTreeComponent& tree() { return *browser->getTree(); }
    juce::TreeViewItem& root() { return *tree().getRootItem(); }

    // Lets the scanning thread and the change messages run until the item
    // shows the number of entries.
    bool shows (juce::TreeViewItem& item, int entries)
    {
        return TestSupport::dispatchUntil ([&] { return item.getNumSubItems() == entries; });
    }

    CustomFileListTreeItem* itemOf (juce::TreeViewItem& parent, const juce::String& name)
    {
        for (int i = 0; i < parent.getNumSubItems(); ++i)
            if (auto* item = dynamic_cast<CustomFileListTreeItem*> (parent.getSubItem (i)); item->getFile().getFileName() == name)
                return item;
        return nullptr;
    }

    PreviewPlayer& previewPlayer() { return window.bench.players->getEngine().getPreviewPlayer(); }

    // Clicks the file's row as the tree does: selected, then clicked.
    void click (CustomFileListTreeItem& item)
    {
        item.setSelected (true, true);
        browser->fileClicked (item.getFile(), WidgetTestSupport::mouseEventFor (tree(), { 30.0f, 5.0f }));
    }
};

// Holds the browser on the screen, so that real mouse events reach it.
struct DragHolder : juce::Component, juce::DragAndDropContainer
{
};
}

TEST_F (BrowserTest, ChildrenAndBackgroundSitWhereTheLayoutPutsThem)
{
    open();
    const auto play = ImageResourceManager::imageFor ("ButtonPreviewPlayOff");
    const auto autoPreview = ImageResourceManager::imageFor ("ButtonWaveformOn");
    const struct { const char* name; juce::Rectangle<int> bounds; } cases[] = {
        { "PlayStopButton",       { 12, 12, play.getWidth(), play.getHeight() } },
        { "ToggleAutoPreview",    { 150, 12, autoPreview.getWidth(), autoPreview.getHeight() } },
        { "RootDirectorySelector", { 11, 35, 217, 24 } },
    };
    for (auto& c : cases)
    {
        auto* child = findNamed (*browser, c.name);
        ASSERT_NE (child, nullptr) << c.name;
        EXPECT_EQ (child->getBounds(), c.bounds) << c.name;
    }
    EXPECT_EQ (tree().getBounds(), juce::Rectangle<int> (11, 59, 215, 540 - 72));
    EXPECT_TRUE (tree().getViewport()->isVerticalScrollBarShown());
    EXPECT_TRUE (tree().getViewport()->isHorizontalScrollBarShown());

    // Column 2 is free of children: the top, the repeated row, the bottom.
    const auto shot = WidgetTestSupport::render (*browser);
    const auto top = ImageResourceManager::imageFor ("BackgroundBrowserTop");
    const auto loop = ImageResourceManager::imageFor ("BackgroundBrowserLoop");
    const auto bottom = ImageResourceManager::imageFor ("BackgroundBrowserBottom");
    EXPECT_EQ (shot.getPixelAt (2, 40), top.getPixelAt (2, 40));
    EXPECT_EQ (shot.getPixelAt (2, 300), loop.getPixelAt (2, 0));
    EXPECT_EQ (shot.getPixelAt (2, 540 - 13 + 6), bottom.getPixelAt (2, 6));

    // Auto preview follows its preference, and the button flips it.
    auto& toggle = dynamic_cast<ImageToggleButton&> (*findNamed (*browser, "ToggleAutoPreview"));
    EXPECT_TRUE (toggle.getToggleState());
    EXPECT_TRUE (samePixels (toggle.getNormalImage(), autoPreview));
    DialogTestSupport::click (toggle);
    EXPECT_FALSE (window.preferences().getFlag (PreferencesData::sampleFileTreeAutoPreview));
    EXPECT_TRUE (samePixels (toggle.getNormalImage(), ImageResourceManager::imageFor ("ButtonWaveformOff")));
}

TEST_F (BrowserTest, ListsOnlyTheFilesTheProgramUsesEachWithTheIconOfItsType)
{
    for (auto name : { "All.plvr_all", "Global.plvr_glob", "notes.txt", "Bank.plvr_bank", "Kick.plvr_sample",
                       "Set.plvr_seq", "Song.mid", "LOUD.WAV", "Pad.aif", "Pad2.aiff" })
        write (name);
    folder.getChildFile ("Sub").createDirectory();

    open();
    ASSERT_TRUE (shows (root(), 8));

    const struct { const char* name; const char* icon; } rows[] = {
        { "Bank.plvr_bank", "Icon-File-Bank" }, { "Kick.plvr_sample", "Icon-File-Sample" },
        { "Set.plvr_seq", "Icon-File-Pattern" }, { "Song.mid", "Icon-File-Mid" }, { "LOUD.WAV", "Icon-File-Wave" },
        { "Pad.aif", "Icon-File-AIFF" }, { "Pad2.aiff", "Icon-File-AIFF" },
    };

    deliverPosted();                      // the rows are laid out
    WidgetTestSupport::render (tree());   // painting a row asks for its icon
    for (auto& row : rows)
    {
        auto* item = itemOf (root(), row.name);
        ASSERT_NE (item, nullptr) << row.name;
        EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return item->getIcon().isValid(); })) << row.name;
        EXPECT_TRUE (samePixels (item->getIcon(), ImageResourceManager::imageFor (row.icon))) << row.name;
        EXPECT_EQ (item->getItemHeight(), 18);
    }
    ASSERT_NE (itemOf (root(), "Sub"), nullptr);
    EXPECT_TRUE (itemOf (root(), "Sub")->isFolder());
}

TEST_F (BrowserTest, ASaveIntoAnOpenSubfolderKeepsItOpenAndShowsTheNewFile)
{
    write ("Drums/Kick.plvr_sample");
    write ("Other/Snare.plvr_sample");
    open();
    ASSERT_TRUE (shows (root(), 2));
    itemOf (root(), "Drums")->setOpen (true);
    ASSERT_TRUE (shows (*itemOf (root(), "Drums"), 1));

    const auto saved = folder.getChildFile ("Drums/Saved.plvr_bank");
    ASSERT_TRUE (window.bench.files->writeBankFile (window.bench.dataCenter->getEditBank(), saved));
    deliverPosted();   // message 8

    auto* drums = itemOf (root(), "Drums");
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { drums = itemOf (root(), "Drums");
                                                   return drums != nullptr && drums->getNumSubItems() == 2; }));
    EXPECT_TRUE (drums->isOpen());
    EXPECT_NE (itemOf (*drums, "Saved.plvr_bank"), nullptr);
    EXPECT_FALSE (itemOf (root(), "Other")->isOpen());
}

TEST_F (BrowserTest, AClickNamesTheFileAndPreviewsItAfterTheDelayOrAMoveAway)
{
    write ("Loop.wav");
    write ("Bank.plvr_bank");
    previewPlayer().prepare (48000.0, 512);
    open();
    ASSERT_TRUE (shows (root(), 2));
    auto& loop = *itemOf (root(), "Loop.wav");

    click (*itemOf (root(), "Bank.plvr_bank"));
    browser->timerCallback();
    EXPECT_FALSE (previewPlayer().isPlaying()) << "only audio is previewed";

    click (loop);
    EXPECT_EQ (tree().getProperties()[MainComponent::fullPathProperty].toString(), loop.getFile().getFullPathName());
    EXPECT_TRUE (browser->isTimerRunning());
    EXPECT_FALSE (previewPlayer().isPlaying());
    browser->timerCallback();
    EXPECT_TRUE (previewPlayer().isPlaying());

    auto& playStop = dynamic_cast<ImageToggleButton&> (*findNamed (*browser, "PlayStopButton"));
    deliverPosted();   // message 23
    EXPECT_TRUE (samePixels (playStop.getNormalImage(), ImageResourceManager::imageFor ("ButtonPreviewPlayOn")));
    DialogTestSupport::click (playStop);
    EXPECT_FALSE (previewPlayer().isPlaying());
    deliverPosted();   // message 24
    EXPECT_TRUE (samePixels (playStop.getNormalImage(), ImageResourceManager::imageFor ("ButtonPreviewPlayOff")));

    // Moving away from the click plays at once; a small move waits.
    click (loop);
    const auto at = [&] (float x, float y) { return WidgetTestSupport::mouseEventFor (tree(), { x, y }); };
    browser->mouseMove (at (34.0f, 11.0f));
    EXPECT_TRUE (browser->isTimerRunning());
    browser->mouseMove (at (36.0f, 12.0f));
    EXPECT_FALSE (browser->isTimerRunning());
    EXPECT_TRUE (previewPlayer().isPlaying());
    previewPlayer().stop();

    window.preferences().setFlag (PreferencesData::sampleFileTreeAutoPreview, false);
    click (loop);
    EXPECT_FALSE (browser->isTimerRunning());
}

TEST_F (BrowserTest, DraggingARowCarriesItsPathAndSuppressesThePreview)
{
    write ("Loop.wav");
    previewPlayer().prepare (48000.0, 512);
    open();
    ASSERT_TRUE (shows (root(), 1));

    DragHolder holder;
    holder.addAndMakeVisible (*browser);
    holder.setBounds (0, 0, MainComponent::browserWidth, 540);
    holder.addToDesktop (0);
    holder.setVisible (true);
    auto* peer = holder.getPeer();
    ASSERT_NE (peer, nullptr);
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return holder.isShowing() && tree().getItemOnRow (0) != nullptr; }));
    deliverPosted();   // the rows are laid out
    ASSERT_NE (tree().getComponentAt (49, 9), nullptr);

    juce::int64 time = juce::Time::currentTimeMillis();
    const auto mouse = [&] (float x, float y, juce::ModifierKeys mods)
    {
        peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, { x, y }, mods,
                                juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation, ++time);
    };
    const auto left = juce::ModifierKeys::leftButtonModifier;
    // The first row of the tree, at (11, 59) in the browser.
    mouse (60.0f, 68.0f, {});
    mouse (60.0f, 68.0f, left);
    EXPECT_EQ (tree().getProperties()[MainComponent::fullPathProperty].toString(),
               folder.getChildFile ("Loop.wav").getFullPathName());
    EXPECT_TRUE (browser->isTimerRunning());

    for (float y = 70.0f; y < 120.0f; y += 10.0f)
        mouse (60.0f, y, left);
    EXPECT_TRUE (holder.isDragAndDropActive());
    EXPECT_EQ (holder.getCurrentDragDescription().toString(), MainComponent::browserDragDescription);

    browser->timerCallback();
    EXPECT_FALSE (previewPlayer().isPlaying());
    mouse (60.0f, 120.0f, {});
}

TEST_F (BrowserTest, ADoubleClickedFileGoesWhereTheCurrentPageTakesIt)
{
    const auto wave = write ("Loop.wav");
    const auto bank = folder.getChildFile ("Other.plvr_bank");
    ASSERT_TRUE (window.bench.files->writeBankFile (window.bench.dataCenter->getEditBank(), bank));
    open();
    int focusRequests = 0;
    browser->onFileOpened = [&] { ++focusRequests; };
    const auto sampleFrames = [&] { return window.bench.sample (0).getNumFrames(); };
    const int framesBefore = sampleFrames();

    window.bench.gui.page = CommandGui::patternPage;
    browser->fileDoubleClicked (wave);
    deliverPosted();
    deliverPosted();
    EXPECT_EQ (sampleFrames(), framesBefore);
    EXPECT_EQ (focusRequests, 0);

    window.bench.gui.page = CommandGui::samplePage;
    browser->fileDoubleClicked (wave);
    deliverPosted();   // the browser's own message, then the file manager's
    deliverPosted();
    EXPECT_EQ (sampleFrames(), 4801) << "imported into the current sample";
    EXPECT_EQ (focusRequests, 1);

    window.bench.boxes.answerQuestion (MessageBoxes::no);
    window.bench.gui.page = CommandGui::patternPage;
    browser->fileDoubleClicked (bank);
    deliverPosted();
    EXPECT_EQ (window.bench.dataCenter->getDocumentFile(), bank) << "bank files open on every page";
}

TEST_F (BrowserTest, MessageFifteenChangesTheRootAndTheChooserRemembersItsFolders)
{
    write ("A/One.mid");
    write ("B/Two.mid");
    write ("B/Three.mid");
    open();
    ASSERT_TRUE (shows (root(), 2));

    MessageEngine::getInstancePointer()->post (new BrowserComponent::RootFolderMessage (folder.getChildFile ("B")));
    deliverPosted();
    EXPECT_EQ (browser->getRootFolder(), folder.getChildFile ("B"));
    EXPECT_TRUE (shows (root(), 2));
    EXPECT_NE (itemOf (root(), "Three.mid"), nullptr);

    auto& chooser = dynamic_cast<juce::FilenameComponent&> (*findNamed (*browser, "RootDirectorySelector"));
    chooser.setCurrentFile (folder.getChildFile ("A"), true, juce::sendNotificationSync);
    EXPECT_EQ (browser->getRootFolder(), folder.getChildFile ("A"));
    EXPECT_EQ (window.preferences().getText (PreferencesData::sampleFileTreeLastFolder), folder.getChildFile ("A").getFullPathName());
    EXPECT_TRUE (window.preferences().getSampleFileTreeHistories().contains (folder.getChildFile ("A").getFullPathName()));

    // The next browser starts where this one was.
    browser.reset();
    open();
    EXPECT_EQ (browser->getRootFolder(), folder.getChildFile ("A"));
}

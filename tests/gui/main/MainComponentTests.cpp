#include "gui/main/MainWindowTestSupport.h"

#include "commands/CommandIds.h"
#include "files/FileManager.h"
#include "gui/main/MainComponent.h"
#include "gui/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>

using DialogTestSupport::findNamed;

namespace
{
struct MainComponentTest : ::testing::Test
{
    MainWindowBench window;
    MainComponent main { window.bench, window.commandManager, window.actionTarget };

    MainComponentTest() { main.setSize (794, 540); }

    juce::File writeBankFile (const juce::String& name)
    {
        const auto file = window.bench.folders.temp.folder.getChildFile (name);
        window.bench.files->writeBankFile (window.bench.dataCenter->getEditBank(), file);
        return file;
    }
};

struct BoundsCase
{
    const char* name;
    juce::Rectangle<int> bounds;   // in the main component
};
}

TEST_F (MainComponentTest, ChildrenSitWhereTheLayoutPutsThem)
{
    const BoundsCase cases[] = {
        { "Browser",             { 0, 0, 234, 540 } },
        { "SampleTab",           { 234 + 0, 58, 120, 22 } },
        { "EffectTab",           { 234 + 121, 58, 120, 22 } },
        { "PatternTab",          { 234 + 242, 58, 120, 22 } },
        { "SampleMemoryBar",     { 234 + 290, 12, 110, 11 } },
        { "PatternMemoryBar",    { 234 + 290, 33, 110, 11 } },
        { "ConnectionIndicator", { 234 + 516, 11, 36, 36 } },
        { "Tempo",               { 234 + 461, 55, 91, 24 } },
        { "BankName",            { 234 + 108, 13, 122, 30 } },
    };

    for (auto& c : cases)
    {
        auto* child = findNamed (main, c.name);
        ASSERT_NE (child, nullptr) << c.name;
        EXPECT_EQ (main.getLocalArea (child->getParentComponent(), child->getBounds()), c.bounds) << c.name;
    }

    EXPECT_EQ (findNamed (main, "SampleTab")->getParentComponent()->getBounds(), juce::Rectangle<int> (234, 0, 560, 80));
}

TEST_F (MainComponentTest, IsTheFirstCommandTargetAndHandsCommandsToTheActionManager)
{
    EXPECT_EQ (window.commandManager.getFirstCommandTarget (CommandIds::about), &main);
    ASSERT_TRUE (window.commandManager.invokeDirectly (CommandIds::about, false));
    EXPECT_EQ (window.bench.gui.aboutShown, 1);
}

TEST_F (MainComponentTest, TheAboutBoxClosesOnAClickOrAKey)
{
    main.showAboutBox();
    ASSERT_TRUE (main.isAboutBoxShown());
    auto* box = DialogTestSupport::findChild (main, [] (juce::Component& c) { return dynamic_cast<AboutComponent*> (&c) != nullptr; });
    ASSERT_NE (box, nullptr);
    EXPECT_EQ (box->getBounds().getCentre(), juce::Point<int> (794 / 2, 540 / 2));

    box->keyPressed (juce::KeyPress ('x'));
    DialogTestSupport::deliverPosted();
    EXPECT_FALSE (main.isAboutBoxShown());
}

TEST_F (MainComponentTest, ADroppedBankFileOpensAfterTheQuestionAndOtherFilesAreRefused)
{
    const auto bankFile = writeBankFile ("Dropped.plvr_bank");
    const auto sampleFile = window.bench.folders.temp.folder.getChildFile ("Kick.plvr_sample");
    sampleFile.replaceWithText ("not a bank");

    EXPECT_FALSE (main.isInterestedInFileDrag ({ sampleFile.getFullPathName() }));
    EXPECT_TRUE (main.isInterestedInFileDrag ({ sampleFile.getFullPathName(), bankFile.getFullPathName() }));

    // The file browser's drag names the file in a property of its source.
    juce::Component source;
    source.getProperties().set (MainComponent::fullPathProperty, sampleFile.getFullPathName());
    const juce::DragAndDropTarget::SourceDetails sampleDrag (MainComponent::browserDragDescription, &source, {});
    EXPECT_FALSE (main.isInterestedInDragSource (sampleDrag));

    window.bench.dataCenter->setModified();
    window.bench.boxes.answerQuestion (MessageBoxes::no);
    source.getProperties().set (MainComponent::fullPathProperty, bankFile.getFullPathName());
    const juce::DragAndDropTarget::SourceDetails bankDrag (MainComponent::browserDragDescription, &source, {});
    ASSERT_TRUE (main.isInterestedInDragSource (bankDrag));
    main.itemDropped (bankDrag);
    EXPECT_EQ (window.bench.dataCenter->getDocumentFile(), juce::File()) << "opened after the drop, not during it";

    DialogTestSupport::deliverPosted();
    ASSERT_EQ (window.bench.boxes.getShown().size(), 1u);
    EXPECT_EQ (window.bench.boxes.getShown()[0].message, "Save changes?");
    EXPECT_EQ (window.bench.dataCenter->getDocumentFile(), bankFile);
}

TEST_F (MainComponentTest, AnInitialPatternTakesNoRoomInThePatternBar)
{
    auto* bar = dynamic_cast<MemorySizeBar*> (findNamed (main, "PatternMemoryBar"));
    ASSERT_NE (bar, nullptr);
    auto& strip = dynamic_cast<BankCommonComponent&> (*bar->getParentComponent());

    ASSERT_EQ (window.bench.dataCenter->getEditBank().getPattern (0)->getSize(), 1308);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ (strip.getSegmentSize (*bar, i), 0) << "pattern " << i;

    EXPECT_EQ (WidgetTestSupport::render (*bar).getPixelAt (1, 1).getAlpha(), 0);
}

TEST_F (MainComponentTest, TheSelectedSampleStandsOutOnTheSamplePage)
{
    auto* bar = dynamic_cast<MemorySizeBar*> (findNamed (main, "SampleMemoryBar"));
    auto& strip = dynamic_cast<BankCommonComponent&> (*bar->getParentComponent());
    CommandTestSupport::fillSample (window.bench.sample (2), 48000);   // 96000 bytes: 3 units

    window.bench.setCurrentSample (2);
    EXPECT_EQ (strip.getSegmentSize (*bar, 2), 3);
    EXPECT_TRUE (strip.isSegmentHighlighted (*bar, 2));
    EXPECT_FALSE (strip.isSegmentHighlighted (*bar, 1));

    window.bench.gui.page = CommandGui::effectPage;
    EXPECT_FALSE (strip.isSegmentHighlighted (*bar, 2));
}

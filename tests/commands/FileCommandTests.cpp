#include "support/CommandTestBench.h"

#include "commands/CommandIds.h"
#include "data/DataFile.h"
#include "files/DataFileAccess.h"

using namespace CommandTestSupport;

namespace
{
struct FileCommandTest : ::testing::Test
{
    CommandBench bench;
    juce::File file (const juce::String& name) const { return bench.folders.temp.folder.getChildFile (name); }
};
}

TEST_F (FileCommandTest, SaveAsNamesTheDocumentAndSaveWritesItAgain)
{
    bench.dataCenter->getEditBank().setName ("LIVE");
    bench.dataCenter->setModified();

    bench.choosers.choose (file ("live"));
    EXPECT_TRUE (bench.invoke (CommandIds::saveBankAs));
    const auto saved = file ("live.plvr_bank");
    EXPECT_TRUE (saved.existsAsFile());
    EXPECT_EQ (bench.dataCenter->getDocumentFile(), saved);
    EXPECT_FALSE (bench.dataCenter->isModified());

    saved.deleteFile();
    EXPECT_TRUE (bench.invoke (CommandIds::saveBank));
    EXPECT_TRUE (saved.existsAsFile());
    EXPECT_EQ (bench.choosers.getShown().size(), 1u) << "Save asks for no file once there is one";

    BankData read;
    EXPECT_EQ (DataFileAccess::read (read, saved), "");
    EXPECT_EQ (read.getName(), "LIVE");
}

TEST_F (FileCommandTest, NewAndOpenAskAboutUnsavedChangesFirst)
{
    bench.dataCenter->getEditBank().setName ("KEEP");
    bench.dataCenter->setModified();

    bench.boxes.answerQuestion (MessageBoxes::cancel);
    EXPECT_TRUE (bench.invoke (CommandIds::newBank));
    EXPECT_EQ (bench.dataCenter->getEditBank().getName(), "KEEP");

    bench.boxes.answerQuestion (MessageBoxes::cancel);
    EXPECT_TRUE (bench.invoke (CommandIds::openBank));
    EXPECT_TRUE (bench.choosers.getShown().empty());

    bench.boxes.answerQuestion (MessageBoxes::no);
    EXPECT_TRUE (bench.invoke (CommandIds::newBank));
    EXPECT_EQ (bench.dataCenter->getEditBank().getName(), "INITBANK");
}

TEST_F (FileCommandTest, SampleFilesAreThoseOfTheCurrentSample)
{
    fillSample (bench.sample (4), 300);
    bench.sample (4).setName ("HAT");
    bench.setCurrentSample (4);

    bench.choosers.choose (file ("hat"));
    EXPECT_TRUE (bench.invoke (CommandIds::saveSample));
    EXPECT_TRUE (file ("hat.plvr_sample").existsAsFile());

    bench.choosers.choose (file ("hat.wav"));
    EXPECT_TRUE (bench.invoke (CommandIds::exportSampleWav));
    EXPECT_TRUE (file ("hat.wav").existsAsFile());

    bench.choosers.choose (file ("hat"));
    EXPECT_TRUE (bench.invoke (CommandIds::exportSampleAiff));
    EXPECT_TRUE (file ("hat.aif").existsAsFile());

    // Loading happens after the current event.
    bench.setCurrentSample (9);
    bench.choosers.choose (file ("hat.plvr_sample"));
    EXPECT_TRUE (bench.invoke (CommandIds::openSample));
    EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return bench.sample (9).getName() == "HAT"; }));
    EXPECT_EQ (bench.sample (9).getNumFrames(), 300);
    EXPECT_EQ (bench.nameOf (CommandIds::undo), "Undo : Load sample data");
}

TEST_F (FileCommandTest, PatternSetAndGlobalFilesGoBothWays)
{
    bench.choosers.choose (file ("set"));
    EXPECT_TRUE (bench.invoke (CommandIds::savePatternSet));
    EXPECT_TRUE (file ("set.plvr_seq").existsAsFile());

    bench.choosers.choose (file ("set.plvr_seq"));
    EXPECT_TRUE (bench.invoke (CommandIds::openPatternSet));
    EXPECT_EQ (bench.nameOf (CommandIds::undo), "Undo : Load sequence data");

    auto& global = bench.dataCenter->getGlobalData();
    global.setField (GlobalData::globalMidiChannel, 11);
    bench.choosers.choose (file ("studio"));
    EXPECT_TRUE (bench.invoke (CommandIds::saveGlobal));
    global.setField (GlobalData::globalMidiChannel, 2);

    bench.choosers.choose (file ("studio.plvr_glob"));
    EXPECT_TRUE (bench.invoke (CommandIds::loadGlobal));
    EXPECT_EQ (global.getField (GlobalData::globalMidiChannel), 11);
}

TEST_F (FileCommandTest, SmfCommandsUseTheCurrentPattern)
{
    bench.currentPattern = 5;
    bench.choosers.choose (file ("groove"));
    EXPECT_TRUE (bench.invoke (CommandIds::exportSmf));
    ASSERT_TRUE (file ("groove.mid").existsAsFile());

    bench.currentPattern = 7;
    bench.choosers.choose (file ("groove.mid"));
    EXPECT_TRUE (bench.invoke (CommandIds::importSmf));
    EXPECT_EQ (bench.nameOf (CommandIds::undo), "Undo : Import sequence data");
}

TEST_F (FileCommandTest, InitializeSampleClearsTheCurrentSampleAsOneUndoStep)
{
    fillSample (bench.sample (6), 500);
    bench.setCurrentSample (6);

    EXPECT_TRUE (bench.invoke (CommandIds::initSample));
    EXPECT_EQ (bench.sample (6).getNumFrames(), 0);
    EXPECT_EQ (bench.nameOf (CommandIds::undo), "Undo : Clear sample data");

    bench.invoke (CommandIds::undo);
    EXPECT_EQ (bench.sample (6).getNumFrames(), 500);
}

TEST_F (FileCommandTest, ExitQuitsOnlyWhenTheChangesMayGo)
{
    EXPECT_TRUE (bench.invoke (CommandIds::quit));
    EXPECT_EQ (bench.quitRequests, 1);

    bench.dataCenter->setModified();
    bench.boxes.answerQuestion (MessageBoxes::cancel);
    EXPECT_TRUE (bench.invoke (CommandIds::quit));
    EXPECT_EQ (bench.quitRequests, 1);

    bench.boxes.answerQuestion (MessageBoxes::no);
    EXPECT_TRUE (bench.invoke (CommandIds::quit));
    EXPECT_EQ (bench.quitRequests, 2);
}

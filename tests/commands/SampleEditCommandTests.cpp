#include "support/CommandTestBench.h"

#include "app/MessageIds.h"
#include "commands/CommandIds.h"

using namespace CommandTestSupport;

namespace
{
struct SampleEditCommandTest : ::testing::Test
{
    CommandBench bench;

    SampleEditCommandTest()
    {
        fillSample (bench.sample (0), 1000);
    }

    void select (int start, int end, bool left = true, bool right = true)
    {
        bench.selection.start = start;
        bench.selection.end = end;
        bench.selection.channelFlags[0] = left ? 1 : 0;
        bench.selection.channelFlags[1] = right ? 1 : 0;
    }
};
}

TEST_F (SampleEditCommandTest, SelectionBecomesStartAndEndInOneUndoStep)
{
    auto& sample = bench.sample (0);
    sample.setParameter (SampleData::start, 10);
    sample.setParameter (SampleData::end, 900);

    select (100, 300, false, true);
    EXPECT_TRUE (bench.invoke (CommandIds::selectionToPoints));
    EXPECT_EQ (sample.getParameter (SampleData::start), 100);
    EXPECT_EQ (sample.getParameter (SampleData::end), 300);
    EXPECT_EQ (bench.nameOf (CommandIds::undo), "Undo : Edit sample parameter");
    EXPECT_TRUE (bench.notices.getSampleNotice (0));

    bench.invoke (CommandIds::undo);
    EXPECT_EQ (sample.getParameter (SampleData::start), 10);
    EXPECT_EQ (sample.getParameter (SampleData::end), 900);
    EXPECT_FALSE (bench.history.canUndo());
}

TEST_F (SampleEditCommandTest, AnEmptySelectionStillGivesTwoDifferentPoints)
{
    auto& sample = bench.sample (0);

    select (50, 50);
    bench.invoke (CommandIds::selectionToPoints);
    EXPECT_EQ (sample.getParameter (SampleData::start), 49);
    EXPECT_EQ (sample.getParameter (SampleData::end), 50);

    select (0, 0);
    bench.invoke (CommandIds::selectionToPoints);
    EXPECT_EQ (sample.getParameter (SampleData::start), 0);
    EXPECT_EQ (sample.getParameter (SampleData::end), 1);
}

TEST_F (SampleEditCommandTest, WithoutASelectedChannelThePointsStay)
{
    auto& sample = bench.sample (0);
    sample.setParameter (SampleData::end, 900);

    select (100, 300, false, false);
    EXPECT_TRUE (bench.invoke (CommandIds::selectionToPoints));
    EXPECT_EQ (sample.getParameter (SampleData::end), 900);
    EXPECT_FALSE (bench.history.canUndo());
}

TEST_F (SampleEditCommandTest, RateConversionIsOneUndoStepAndRefreshesTheViews)
{
    BroadcastRecorder recorder;
    bench.players->selectSample (0);

    EXPECT_TRUE (bench.invoke (CommandIds::convertTo24));
    EXPECT_EQ (bench.sample (0).getSampleRate(), 24000.0);
    EXPECT_LT (bench.sample (0).getNumFrames(), 1000);
    EXPECT_EQ (bench.nameOf (CommandIds::undo), "Undo : Convert sampling rate");
    EXPECT_TRUE (recorder.waitFor (MessageIds::dataChanged));

    bench.invoke (CommandIds::convertTo6);
    EXPECT_EQ (bench.sample (0).getSampleRate(), 6000.0);

    bench.invoke (CommandIds::undo);
    bench.invoke (CommandIds::undo);
    EXPECT_EQ (bench.sample (0).getSampleRate(), 48000.0);
    EXPECT_EQ (bench.sample (0).getNumFrames(), 1000);
}

TEST_F (SampleEditCommandTest, WaveEditsWorkOnTheSelectionAndKeepItUnlessTheLengthChanges)
{
    auto& sample = bench.sample (0);

    select (100, 199);
    EXPECT_TRUE (bench.invoke (CommandIds::silence));
    EXPECT_EQ (sample.getAudio().getMagnitude (0, 100, 100), 0.0f);
    EXPECT_GT (sample.getAudio().getMagnitude (0, 200, 100), 0.0f);
    EXPECT_EQ (bench.nameOf (CommandIds::undo), "Undo : Edit sample");
    EXPECT_EQ (bench.selection.channelFlags[0], 1);

    EXPECT_TRUE (bench.invoke (CommandIds::deleteSelection));
    EXPECT_EQ (sample.getNumFrames(), 900);
    EXPECT_EQ (bench.selection.start, 100);
    EXPECT_EQ (bench.selection.channelFlags[0], 0);
    EXPECT_EQ (bench.selection.channelFlags[1], 0);

    select (0, 499);
    EXPECT_TRUE (bench.invoke (CommandIds::truncate));
    EXPECT_EQ (sample.getNumFrames(), 501);
    EXPECT_EQ (bench.selection.channelFlags[0], 0);

    bench.invoke (CommandIds::undo);
    bench.invoke (CommandIds::undo);
    bench.invoke (CommandIds::undo);
    EXPECT_EQ (sample.getNumFrames(), 1000);
    EXPECT_GT (sample.getAudio().getMagnitude (0, 100, 100), 0.0f);
}

TEST_F (SampleEditCommandTest, ARefusedWaveEditLeavesNoUndoStepAndKeepsTheSelection)
{
    auto& sample = bench.sample (0);
    const int id = sample.getBufferId();

    for (auto command : { CommandIds::truncate, CommandIds::deleteSelection, CommandIds::fadeIn })
    {
        select (600, 400);
        bench.invoke (command);
        EXPECT_EQ (sample.getNumFrames(), 1000);
        EXPECT_EQ (sample.getBufferId(), id);
        EXPECT_EQ (bench.selection.channelFlags[0], 1);
    }

    EXPECT_EQ (bench.nameOf (CommandIds::undo), "Undo");
}

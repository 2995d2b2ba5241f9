#include "history/HistoryTestSupport.h"
#include "support/ScriptedMessageBoxes.h"

#include "audio/edit/WaveOperations.h"
#include "history/SampleAudioActions.h"
#include "history/TransactionNames.h"

using namespace HistoryTestSupport;

namespace
{
struct SampleAudioActionsTest : HistoryFixture
{
    ScriptedMessageBoxes boxes;
    ScopedMessageBoxes installedBoxes { boxes };

    // Every slot so full that the bank is over its sample memory.
    void fillOverBudget()
    {
        for (int i = 0; i < SampleSet::numSamples; ++i)
            sample (i).resize (2, 13 * 32768 / 4 + 1, 48000.0, false);
    }

    int countUndoSteps()
    {
        int steps = 0;
        while (history.undo())
            ++steps;
        return steps;
    }
};

WaveSelectedStatus selectionOf (int start, int end)
{
    WaveSelectedStatus selection;
    selection.start = start;
    selection.end = end;
    selection.channelFlags[0] = selection.channelFlags[1] = 1;
    return selection;
}
}

TEST_F (SampleAudioActionsTest, AWaveEditIsUndoneToTheAudioBeforeIt)
{
    fillDistinct (sample (5), 2, 1000, 1, "WAVE");
    const SampleData before (sample (5));
    center.clearModified();

    auto* action = new EditSampleAction (WaveOperations::truncate, 5, selectionOf (100, 199));
    ASSERT_TRUE (record (TransactionNames::waveEdit, action));
    EXPECT_EQ (sample (5).getNumFrames(), 101);
    EXPECT_TRUE (notices.getSampleNotice (5));
    EXPECT_EQ (refreshedSamples, std::vector<int> { 5 });
    EXPECT_TRUE (center.isModified());
    EXPECT_EQ (action->getSizeInUnits(), 2 * 2 * 1000 + (int) sizeof (EditSampleAction));
    const SampleData truncated (sample (5));

    notices.setSampleNotice (5, false);
    ASSERT_TRUE (history.undo());
    EXPECT_TRUE (sameAudio (sample (5), before));
    EXPECT_EQ (sample (5).getName(), "WAVE");
    EXPECT_TRUE (notices.getSampleNotice (5));
    EXPECT_FALSE (center.isModified());

    // Redo runs the operation again on the selection it was made with.
    ASSERT_TRUE (history.redo());
    EXPECT_TRUE (sameAudio (sample (5), truncated));
}

TEST_F (SampleAudioActionsTest, EveryWaveOperationIsUndoneAndRedoneFrameForFrame)
{
    const struct
    {
        const char* name;
        EditSampleAction::WaveOperation operation;
    } operations[] = {
        { "delete", WaveOperations::deleteSelection },
        { "truncate", WaveOperations::truncate },
        { "silence", WaveOperations::silence },
        { "normalize", WaveOperations::normalize },
        { "fade in", WaveOperations::fadeIn },
        { "fade out", WaveOperations::fadeOut },
    };

    for (const auto& op : operations)
    {
        SCOPED_TRACE (op.name);
        fillDistinct (sample (5), 2, 1000, 2);
        const SampleData before (sample (5));

        ASSERT_TRUE (record (TransactionNames::waveEdit, new EditSampleAction (op.operation, 5, selectionOf (100, 199))));
        const SampleData edited (sample (5));
        EXPECT_FALSE (sameAudio (edited, before)) << "the operation changed nothing to undo";

        ASSERT_TRUE (history.undo());
        EXPECT_TRUE (sameAudio (sample (5), before));
        ASSERT_TRUE (history.redo());
        EXPECT_TRUE (sameAudio (sample (5), edited));
    }
}

TEST_F (SampleAudioActionsTest, ARateConversionCountsTheAudioItReplacedAndClearsTheSelection)
{
    fillDistinct (sample (0), 2, 8000, 3);
    const SampleData before (sample (0));

    auto* action = new FsConvertAction (0, 24000);
    ASSERT_TRUE (record (TransactionNames::fsConvert, action));
    EXPECT_EQ (sample (0).getSampleRate(), 24000.0);
    EXPECT_EQ (sample (0).getNumFrames(), 4000);
    EXPECT_EQ (selectionClears, 1);
    EXPECT_TRUE (notices.getSampleNotice (0));
    EXPECT_EQ (action->getSizeInUnits(), 2 * 2 * 8000 + (int) sizeof (FsConvertAction));
    const SampleData converted (sample (0));

    ASSERT_TRUE (history.undo());
    EXPECT_TRUE (sameAudio (sample (0), before));
    EXPECT_EQ (selectionClears, 2);
    EXPECT_TRUE (boxes.getShown().empty());

    ASSERT_TRUE (history.redo());
    EXPECT_TRUE (sameAudio (sample (0), converted));
}

TEST_F (SampleAudioActionsTest, AConversionThatDoesNotFitLeavesNoUndoStep)
{
    // 4 MB of 6 kHz audio would take eight times as much at 48 kHz.
    sample (0).resize (1, 2000000, 6000.0, false);
    center.clearModified();

    EXPECT_FALSE (record (TransactionNames::fsConvert, new FsConvertAction (0, 48000)));
    EXPECT_EQ (sample (0).getNumFrames(), 2000000);
    EXPECT_EQ (sample (0).getSampleRate(), 6000.0);
    EXPECT_FALSE (history.canUndo());
    EXPECT_FALSE (center.isModified());
    EXPECT_FALSE (notices.getSampleNotice (0));
    ASSERT_EQ (boxes.getShown().size(), 1u);
    EXPECT_EQ (boxes.getShown()[0].key, "Error_NoFreeMemoryToFsConvert");
}

TEST_F (SampleAudioActionsTest, TheHistoryDropsTheOldestConversionsBeyondItsUnits)
{
    // An 8-second stereo sample at 48 kHz counts about 1.5 million units:
    // six conversions fit in the 10 million, the seventh pushes out the first.
    constexpr int frames = 8 * 48000;

    for (int i = 0; i < 7; ++i)
    {
        sample (i).resize (2, frames, 48000.0, false);
        ASSERT_TRUE (record (TransactionNames::fsConvert, new FsConvertAction (i, 24000)));
    }

    const int units = 2 * 2 * frames + (int) sizeof (FsConvertAction);
    EXPECT_EQ (history.getNumberOfUnitsTakenUpByStoredCommands(), 6 * units);
    EXPECT_EQ (countUndoSteps(), 6);
    EXPECT_EQ (sample (0).getSampleRate(), 24000.0) << "the oldest step is gone";
    EXPECT_EQ (sample (1).getSampleRate(), 48000.0);
}

TEST_F (SampleAudioActionsTest, ClearingEmptiesTheSlotAndUndoKeepsTheNoticeOff)
{
    fillDistinct (sample (9), 2, 500, 4, "CLEARME");
    const SampleData before (sample (9));
    notices.setSampleNotice (9, true);

    ASSERT_TRUE (record (TransactionNames::clearSample, new ClearSampleAction (9)));
    EXPECT_EQ (sample (9).getNumFrames(), 0);
    EXPECT_EQ (sample (9).getName(), "INITSMPL");
    EXPECT_EQ (sample (9).getParameter (SampleData::level), SampleData::getParameterDefault (SampleData::level));
    EXPECT_FALSE (notices.getSampleNotice (9));
    EXPECT_EQ (selectionClears, 1);
    const SampleData cleared (sample (9));

    ASSERT_TRUE (history.undo());
    EXPECT_TRUE (sameAudio (sample (9), before));
    EXPECT_EQ (sample (9).getName(), "CLEARME");
    EXPECT_EQ (sample (9).getParameter (SampleData::level), 99);
    EXPECT_FALSE (notices.getSampleNotice (9));
    EXPECT_EQ (refreshedSamples, (std::vector<int> { 9, 9 }));

    ASSERT_TRUE (history.redo());
    EXPECT_TRUE (sameAudio (sample (9), cleared));
}

TEST_F (SampleAudioActionsTest, DraggingSwapsAndUndoPutsBothBack)
{
    fillDistinct (sample (1), 2, 100, 5, "ONE");
    fillDistinct (sample (2), 2, 200, 6, "TWO");
    const SampleData one (sample (1)), two (sample (2));
    center.clearModified();

    ASSERT_TRUE (record (TransactionNames::swapSample, new DragSampleAction (1, 2, false)));
    EXPECT_EQ (sample (1).getName(), "TWO");
    EXPECT_EQ (sample (2).getName(), "ONE");
    EXPECT_TRUE (sameAudio (sample (1), two));
    EXPECT_TRUE (sameAudio (sample (2), one));
    EXPECT_TRUE (notices.getSampleNotice (1));
    EXPECT_TRUE (notices.getSampleNotice (2));

    notices.clearAll();
    ASSERT_TRUE (history.undo());
    EXPECT_EQ (sample (1).getName(), "ONE");
    EXPECT_EQ (sample (2).getName(), "TWO");
    EXPECT_TRUE (sameAudio (sample (1), one));
    EXPECT_TRUE (sameAudio (sample (2), two));
    EXPECT_TRUE (notices.getSampleNotice (1));
    EXPECT_TRUE (notices.getSampleNotice (2));
    EXPECT_FALSE (center.isModified());

    ASSERT_TRUE (history.redo());
    EXPECT_TRUE (sameAudio (sample (1), two));
    EXPECT_TRUE (sameAudio (sample (2), one));
}

TEST_F (SampleAudioActionsTest, DraggingCopiesAndUndoPutsTheDestinationBack)
{
    fillDistinct (sample (1), 2, 100, 5, "ONE");
    fillDistinct (sample (2), 2, 200, 6, "TWO");
    const SampleData one (sample (1)), two (sample (2));

    ASSERT_TRUE (record (TransactionNames::copySample, new DragSampleAction (1, 2, true)));
    EXPECT_EQ (sample (2).getName(), "ONE");
    EXPECT_TRUE (sameAudio (sample (2), one));

    ASSERT_TRUE (history.undo());
    EXPECT_EQ (sample (2).getName(), "TWO");
    EXPECT_TRUE (sameAudio (sample (2), two));
    EXPECT_EQ (sample (1).getName(), "ONE");
    EXPECT_TRUE (sameAudio (sample (1), one));
    EXPECT_EQ (refreshedSamples.back(), 2);

    ASSERT_TRUE (history.redo());
    EXPECT_TRUE (sameAudio (sample (2), one));
}

TEST_F (SampleAudioActionsTest, ACopyTheMemoryCheckRefusesRecordsNothing)
{
    fillOverBudget();
    center.clearModified();

    EXPECT_FALSE (record (TransactionNames::copySample, new DragSampleAction (0, 1, true)));
    EXPECT_FALSE (history.canUndo());
    EXPECT_FALSE (center.isModified());
    EXPECT_FALSE (notices.getSampleNotice (1));
    ASSERT_EQ (boxes.getShown().size(), 1u);
    EXPECT_EQ (boxes.getShown()[0].key, "Error_NoFreeMemoryToCopySample");

    // Swapping needs no memory.
    EXPECT_TRUE (record (TransactionNames::swapSample, new DragSampleAction (0, 1, false)));
}

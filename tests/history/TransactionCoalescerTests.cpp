#include "history/HistoryTestSupport.h"

#include "history/ParameterActions.h"
#include "history/SetNewActions.h"
#include "history/TransactionCoalescer.h"
#include "history/TransactionNames.h"

using namespace HistoryTestSupport;

namespace
{
struct TransactionCoalescerTest : HistoryFixture
{
    TransactionCoalescer knobs;

    bool turnLevel (int value)
    {
        return knobs.perform (history, TransactionNames::editSampleParameter,
                              std::make_unique<EditSampleParameterAction> (0, SampleData::level, value));
    }

    int countUndoSteps()
    {
        int steps = 0;
        while (history.undo())
            ++steps;
        return steps;
    }
};
}

TEST_F (TransactionCoalescerTest, TurningAKnobWithoutPauseIsOneUndoStep)
{
    // Two seconds of turning, one edit per tick of the timer.
    for (int value = 0; value < 40; ++value)
    {
        ASSERT_TRUE (turnLevel (value));
        knobs.elapse (TransactionCoalescer::tickMs);
    }

    EXPECT_EQ (history.getNumActionsInCurrentTransaction(), 40);
    EXPECT_EQ (history.getUndoDescription(), "EditSampleParameter");
    EXPECT_EQ (countUndoSteps(), 1);
    EXPECT_EQ (sample (0).getParameter (SampleData::level), SampleData::getParameterDefault (SampleData::level));
}

TEST_F (TransactionCoalescerTest, APauseOfSixHundredFiftyMillisecondsBeginsANewStep)
{
    ASSERT_TRUE (turnLevel (10));
    for (int tick = 0; tick < 12; ++tick)
        knobs.elapse (TransactionCoalescer::tickMs);
    EXPECT_TRUE (knobs.isWithinJoinWindow());
    ASSERT_TRUE (turnLevel (20));

    for (int tick = 0; tick < 13; ++tick)
        knobs.elapse (TransactionCoalescer::tickMs);
    EXPECT_FALSE (knobs.isWithinJoinWindow());
    ASSERT_TRUE (turnLevel (30));

    EXPECT_EQ (countUndoSteps(), 2);
}

TEST_F (TransactionCoalescerTest, AnEditMadeElsewhereInBetweenIsNotJoined)
{
    ASSERT_TRUE (turnLevel (10));
    ASSERT_TRUE (record (TransactionNames::editSampleName, new EditSampleNameAction (0, "OTHER")));
    ASSERT_TRUE (turnLevel (20));

    ASSERT_TRUE (history.undo());
    EXPECT_EQ (sample (0).getName(), "OTHER");
    EXPECT_EQ (sample (0).getParameter (SampleData::level), 10);
}

TEST_F (TransactionCoalescerTest, AnEditRightAfterAnUndoIsANamedStepOfItsOwn)
{
    ASSERT_TRUE (turnLevel (10));
    knobs.elapse (TransactionCoalescer::joinWindowMs);
    ASSERT_TRUE (turnLevel (20));
    ASSERT_TRUE (history.undo());

    // Still within the window of the undone edit, whose predecessor has the
    // same name: the history begins a new step, which takes the edit's name.
    ASSERT_TRUE (turnLevel (30));
    EXPECT_EQ (history.getUndoDescription(), "EditSampleParameter");
    ASSERT_TRUE (history.undo());
    EXPECT_EQ (sample (0).getParameter (SampleData::level), 10);
    EXPECT_EQ (countUndoSteps(), 1);
}

TEST_F (TransactionCoalescerTest, AnActionThatFailsIsNotRecorded)
{
    EXPECT_FALSE (knobs.perform (history, TransactionNames::editSampleParameter,
                                 std::make_unique<EditSampleParameterAction> (40, SampleData::level, 1)));
    EXPECT_FALSE (history.canUndo());
}

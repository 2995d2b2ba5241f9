#include "history/HistoryTestSupport.h"

#include "history/SetNewActions.h"
#include "history/TransactionNames.h"

using namespace HistoryTestSupport;

using SetNewActionsTest = HistoryFixture;

TEST_F (SetNewActionsTest, ANewSampleTakesTheSlotAndUndoBringsBackTheOldOne)
{
    fillDistinct (sample (3), 2, 100, 1, "OLD");
    const SampleData old (sample (3));
    center.clearModified();

    SampleData received;
    fillDistinct (received, 2, 10, 2, "RECEIVED");
    auto* action = new SetNewSampleAction (3, received);
    received.setName ("CHANGED");   // the action copied it when made

    ASSERT_TRUE (record (TransactionNames::receiveSample, action));
    EXPECT_EQ (sample (3).getName(), "RECEIVED");
    EXPECT_TRUE (sameAudio (sample (3), received));
    EXPECT_TRUE (center.isModified());
    EXPECT_TRUE (notices.getSampleNotice (3));
    EXPECT_EQ (refreshedSamples, std::vector<int> { 3 });
    EXPECT_EQ (selectionClears, 1);
    EXPECT_EQ (history.getUndoDescription(), "ReceiveSample");
    const SampleData put (sample (3));

    // Two bytes per frame and channel of both copies, and the action itself.
    EXPECT_EQ (action->getSizeInUnits(), 2 * (2 * 100 + 2 * 10) + (int) sizeof (SetNewSampleAction));

    notices.setSampleNotice (3, false);
    ASSERT_TRUE (history.undo());
    EXPECT_EQ (sample (3).getName(), "OLD");
    EXPECT_TRUE (sameAudio (sample (3), old));
    EXPECT_EQ (sample (3).getParameter (SampleData::level), 99);
    EXPECT_FALSE (center.isModified());
    EXPECT_TRUE (notices.getSampleNotice (3));
    EXPECT_EQ (refreshedSamples, (std::vector<int> { 3, 3 }));
    EXPECT_EQ (selectionClears, 2);

    ASSERT_TRUE (history.redo());
    EXPECT_EQ (sample (3).getName(), "RECEIVED");
    EXPECT_TRUE (sameAudio (sample (3), put));
    EXPECT_TRUE (center.isModified());
}

TEST_F (SetNewActionsTest, ActionsThatFindNoTargetAreNotRecorded)
{
    SampleData sampleToPut;
    EXPECT_FALSE (record (TransactionNames::pasteSample, new SetNewSampleAction (36, sampleToPut)));
    EXPECT_FALSE (record (TransactionNames::pasteSample, new SetNewSampleAction (-1, sampleToPut)));
    EXPECT_FALSE (record (TransactionNames::pasteSequence, new SetNewSequenceAction (16, SequenceData())));
    EXPECT_FALSE (history.canUndo());
    EXPECT_FALSE (center.isModified());
    EXPECT_TRUE (refreshedSamples.empty());

    // Without a context there is no bank to edit at all.
    ActionContext::setCurrent (nullptr);
    EXPECT_FALSE (record (TransactionNames::pasteSample, new SetNewSampleAction (0, sampleToPut)));
    EXPECT_FALSE (record (TransactionNames::receiveEffect, new SetNewEffectAction (EffectData().getImage())));
    EXPECT_FALSE (history.canUndo());
    ActionContext::setCurrent (&context);
}

TEST_F (SetNewActionsTest, ANewEffectReplacesTheWholeImage)
{
    EffectData::Image image;
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = (uint8_t) (i + 1);

    const auto before = bank().getEffect().getImage();
    auto* action = new SetNewEffectAction (image);
    EXPECT_EQ (action->getSizeInUnits(), 96 + 96 + 1);

    ASSERT_TRUE (record (TransactionNames::receiveEffect, action));
    EXPECT_EQ (bank().getEffect().getImage(), image);
    EXPECT_TRUE (center.isModified());

    ASSERT_TRUE (history.undo());
    EXPECT_EQ (bank().getEffect().getImage(), before);
    EXPECT_FALSE (center.isModified());
}

TEST_F (SetNewActionsTest, ANewPatternIsCopiedByteForByteAndCountsWholePages)
{
    SequenceData pattern;
    ASSERT_TRUE (pattern.setSize (4096));
    pattern.setName ("GROOVE");
    pattern.getBytes()[4000] = 0x5a;

    auto* action = new SetNewSequenceAction (7, pattern);
    // 4096 bytes take three pages, the initial pattern (1308 bytes) one.
    EXPECT_EQ (action->getSizeInUnits(), 6144 + 2048 + (int) sizeof (SetNewSequenceAction));

    ASSERT_TRUE (record (TransactionNames::loadSequence, action));
    EXPECT_EQ (bank().getPattern (7)->getBlock(), pattern.getBlock());
    EXPECT_TRUE (notices.getPatternSetNotice());
    EXPECT_TRUE (center.isModified());

    notices.setPatternSetNotice (false);
    ASSERT_TRUE (history.undo());
    EXPECT_EQ (bank().getPattern (7)->getBlock(), SequenceData::createInitialPattern());
    EXPECT_TRUE (notices.getPatternSetNotice());
    EXPECT_FALSE (center.isModified());
}

TEST_F (SetNewActionsTest, AReceivedPatternSetIsUndoneInOneStep)
{
    history.beginNewTransaction (TransactionNames::receiveSequence);

    for (int index = 0; index < SequenceSet::numPatterns; ++index)
    {
        SequenceData pattern;
        pattern.setName ("PTRN" + juce::String (index));
        ASSERT_TRUE (history.perform (new SetNewSequenceAction (index, pattern)));
    }

    EXPECT_EQ (bank().getPattern (15)->getName(), "PTRN15");
    EXPECT_EQ (history.getNumActionsInCurrentTransaction(), 16);

    ASSERT_TRUE (history.undo());
    for (int index = 0; index < SequenceSet::numPatterns; ++index)
        EXPECT_EQ (bank().getPattern (index)->getName(), "INITPTRN");
    EXPECT_FALSE (history.canUndo());
}

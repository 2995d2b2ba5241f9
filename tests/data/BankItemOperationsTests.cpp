#include "history/HistoryTestSupport.h"
#include "support/ScriptedMessageBoxes.h"

#include "data/BankItemOperations.h"
#include "data/CZQVClipboard.h"

#include <thread>

using namespace HistoryTestSupport;
using TestSupport::Bytes;

namespace
{
// A clipboard that another program keeps locked: nothing can be put there.
struct LockedClipboard : Clipboard
{
    bool put (const juce::String&, const void*, size_t) override { return false; }
    bool get (const juce::String&, juce::MemoryBlock&) const override { return false; }
    bool holds (const juce::String&) const override { return false; }
};

struct BankItemOperationsTest : HistoryFixture
{
    // The clipboard lives as long as the test holds it.
    ~BankItemOperationsTest() override { CZQVClipboard::releaseInstance(); }

    Bytes clipboardBytes (const juce::String& format) const
    {
        juce::MemoryBlock block;
        EXPECT_TRUE (clipboard.get (format, block));
        auto* p = static_cast<const uint8_t*> (block.getData());
        return Bytes (p, p + block.getSize());
    }

    int countUndoSteps()
    {
        int steps = 0;
        while (history.undo())
            ++steps;
        return steps;
    }

    ScriptedMessageBoxes boxes;
    ScopedMessageBoxes installedBoxes { boxes };
    CZQVClipboard& clipboard = *CZQVClipboard::getInstance();
    BankItemOperations operations { center, history, clipboard };
};
}

TEST_F (BankItemOperationsTest, CutAndPasteMoveASampleInTwoUndoSteps)
{
    fillDistinct (sample (4), 2, 300, 1, "MOVED");
    sample (4).setParameter (SampleData::pan, 7);
    const SampleData moved (sample (4)), emptySlot (sample (20));

    ASSERT_TRUE (operations.cutSample (4));
    EXPECT_EQ (sample (4).getNumFrames(), 0);
    EXPECT_EQ (history.getUndoDescription(), "CutSample");

    // The clipboard holds one whole sample chunk: 16-bit stereo PCM of 300
    // frames after the chunk's fixed part.
    const auto chunk = clipboardBytes (BankItemOperations::sampleFormat);
    EXPECT_EQ (Bytes (chunk.begin(), chunk.begin() + 8), (Bytes { '3', '8', '7', '2', 'S', 'm', 'p', 'D' }));
    EXPECT_GE (chunk.size(), 300u * 4u);

    ASSERT_TRUE (operations.pasteSample (20));
    EXPECT_EQ (sample (20).getName(), "MOVED");
    EXPECT_EQ (sample (20).getNumFrames(), 300);
    EXPECT_EQ (sample (20).getParameter (SampleData::pan), 7);
    EXPECT_EQ (history.getUndoDescription(), "PasteSample");

    ASSERT_TRUE (history.undo());
    EXPECT_TRUE (sameAudio (sample (20), emptySlot));
    EXPECT_EQ (sample (4).getNumFrames(), 0);
    ASSERT_TRUE (history.undo());
    EXPECT_EQ (sample (4).getName(), "MOVED");
    EXPECT_TRUE (sameAudio (sample (4), moved));
    EXPECT_FALSE (notices.getSampleNotice (4)) << "a cut sample stays without notice after its undo";
}

TEST_F (BankItemOperationsTest, ACutThatCannotReachTheClipboardKeepsTheSample)
{
    LockedClipboard locked;
    BankItemOperations lockedOperations (center, history, locked);
    fill (sample (2), 1, 100, 0.3f, "PRECIOUS");
    center.clearModified();

    EXPECT_FALSE (lockedOperations.cutSample (2));
    EXPECT_FALSE (lockedOperations.cutPattern (2));
    EXPECT_EQ (sample (2).getName(), "PRECIOUS");
    EXPECT_EQ (sample (2).getNumFrames(), 100);
    EXPECT_FALSE (history.canUndo());
    EXPECT_FALSE (center.isModified());
}

TEST_F (BankItemOperationsTest, PasteWithoutClipboardDataChangesNothing)
{
    EXPECT_FALSE (operations.pasteSample (0));
    EXPECT_FALSE (operations.pastePattern (0));
    EXPECT_FALSE (history.canUndo());

    // Bytes that are not a sample chunk are ignored as well.
    clipboard.put (BankItemOperations::sampleFormat, "3872SmpD", 8);
    EXPECT_FALSE (operations.pasteSample (0));
    EXPECT_FALSE (history.canUndo());
    EXPECT_TRUE (boxes.getShown().empty());
}

TEST_F (BankItemOperationsTest, OverBudgetSampleMemoryStopsPasteButNotClearOrCut)
{
    ASSERT_TRUE (operations.copySample (0));
    for (int i = 0; i < SampleSet::numSamples; ++i)
        sample (i).resize (2, 13 * 32768 / 4 + 1, 48000.0, false);

    EXPECT_FALSE (operations.pasteSample (1));
    ASSERT_EQ (boxes.getShown().size(), 1u);
    EXPECT_EQ (boxes.getShown()[0].key, "Error_NoFreeMemoryToCopySample");
    EXPECT_FALSE (history.canUndo());

    EXPECT_TRUE (operations.clearSample (1));
    EXPECT_TRUE (operations.cutSample (2));
    EXPECT_EQ (sample (2).getNumFrames(), 0);
    EXPECT_EQ (countUndoSteps(), 2);
}

TEST_F (BankItemOperationsTest, APatternTravelsAsItsRawBlockByteForByte)
{
    auto& pattern = *bank().getPattern (3);
    ASSERT_TRUE (pattern.setSize (1400));
    pattern.setName ("VERSE");
    pattern.getBytes()[1399] = 0x42;
    const auto original = pattern.getBlock();

    ASSERT_TRUE (operations.copyPattern (3));
    const auto onClipboard = clipboardBytes (BankItemOperations::patternFormat);
    ASSERT_EQ (onClipboard.size(), 1400u);
    EXPECT_EQ (Bytes (onClipboard.begin(), onClipboard.begin() + 4), (Bytes { 'S', 'E', 'Q', 'P' }));
    EXPECT_EQ (Bytes (onClipboard.begin() + 488, onClipboard.begin() + 496), (Bytes { 'V', 'E', 'R', 'S', 'E', ' ', ' ', ' ' }));
    EXPECT_FALSE (history.canUndo()) << "copying changes nothing";

    // Into another bank.
    bank().getSequenceSet().copyFrom (SequenceSet());
    history.clearUndoHistory();
    ASSERT_TRUE (operations.pastePattern (9));
    EXPECT_EQ (bank().getPattern (9)->getBlock(), original);
    EXPECT_EQ (bank().getPattern (9)->getName(), "VERSE");
    EXPECT_EQ (history.getUndoDescription(), "PasteSequence");
}

TEST_F (BankItemOperationsTest, PatternDataLongerThanAPatternIsRefused)
{
    const juce::MemoryBlock tooLong ((size_t) SequenceData::maximumSize + 1, true);
    clipboard.put (BankItemOperations::patternFormat, tooLong.getData(), tooLong.getSize());

    EXPECT_FALSE (operations.pastePattern (0));
    EXPECT_EQ (bank().getPattern (0)->getSize(), SequenceData::initialPatternSize);
    EXPECT_FALSE (history.canUndo());
}

TEST_F (BankItemOperationsTest, PatternsAreCutClearedCopiedAndSwapped)
{
    for (int i = 0; i < 4; ++i)
        bank().getPattern (i)->setName ("P" + juce::String (i));

    ASSERT_TRUE (operations.cutPattern (0));
    EXPECT_EQ (bank().getPattern (0)->getName(), "INITPTRN");
    EXPECT_EQ (history.getUndoDescription(), "CutSequence");
    ASSERT_TRUE (operations.clearPattern (1));
    EXPECT_EQ (history.getUndoDescription(), "ClearSequence");
    ASSERT_TRUE (operations.copyPatternOver (2, 1));
    EXPECT_EQ (bank().getPattern (1)->getName(), "P2");
    EXPECT_EQ (history.getUndoDescription(), "CopySequence");

    ASSERT_TRUE (operations.swapPatterns (2, 3));
    EXPECT_EQ (bank().getPattern (2)->getName(), "P3");
    EXPECT_EQ (bank().getPattern (3)->getName(), "P2");
    EXPECT_EQ (history.getUndoDescription(), "SwapSequence");

    ASSERT_TRUE (history.undo());
    EXPECT_EQ (bank().getPattern (2)->getName(), "P2");
    EXPECT_EQ (bank().getPattern (3)->getName(), "P3");
    EXPECT_EQ (countUndoSteps(), 3);
    EXPECT_EQ (bank().getPattern (0)->getName(), "P0");
    EXPECT_EQ (bank().getPattern (1)->getName(), "P1");

    EXPECT_FALSE (operations.swapPatterns (3, 16));
    EXPECT_FALSE (operations.copyPatternOver (16, 0));
    EXPECT_FALSE (history.canUndo());
}

TEST_F (BankItemOperationsTest, TheClipboardHoldsOnePutAtATimeForEveryThread)
{
    ASSERT_TRUE (operations.copySample (0));
    ASSERT_TRUE (operations.copyPattern (0));
    EXPECT_TRUE (clipboard.holds (BankItemOperations::patternFormat));
    EXPECT_FALSE (clipboard.holds (BankItemOperations::sampleFormat));

    // Puts and gets from two threads at once see whole blocks only.
    const juce::MemoryBlock a (1000, true);
    juce::MemoryBlock b (2000);
    b.fillWith (1);
    std::thread writer ([&]
    {
        for (int i = 0; i < 2000; ++i)
            clipboard.put ("Test", (i % 2 == 0 ? a : b).getData(), (i % 2 == 0 ? a : b).getSize());
    });

    bool onlyWholeBlocks = true;
    for (int i = 0; i < 2000; ++i)
    {
        juce::MemoryBlock seen;
        if (clipboard.get ("Test", seen))
            onlyWholeBlocks = onlyWholeBlocks && (seen == a || seen == b);
    }

    writer.join();
    EXPECT_TRUE (onlyWholeBlocks);
}

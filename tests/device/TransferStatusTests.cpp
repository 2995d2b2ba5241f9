#include "device/BankSelectionState.h"
#include "device/TransferStatus.h"
#include "resources/CZQVResource.h"

#include <gtest/gtest.h>

TEST (TransferStatus, SamplesAreNamedByTheNoteTheySitOn)
{
    EXPECT_EQ (TransferStatus::sampleLabel (0), "C3");
    EXPECT_EQ (TransferStatus::sampleLabel (1), "C#3");
    EXPECT_EQ (TransferStatus::sampleLabel (11), "B3");
    EXPECT_EQ (TransferStatus::sampleLabel (12), "C4");
    EXPECT_EQ (TransferStatus::sampleLabel (22), "A#4");
    EXPECT_EQ (TransferStatus::sampleLabel (35), "B5");
}

TEST (TransferStatus, BanksByLetterAndPatternsCountingFromOne)
{
    EXPECT_EQ (TransferStatus::bankLabel (0), "A");
    EXPECT_EQ (TransferStatus::bankLabel (7), "H");
    EXPECT_EQ (TransferStatus::patternLabel (0), "1");
    EXPECT_EQ (TransferStatus::patternLabel (15), "16");
}

TEST (TransferStatus, ALineIsThePreTextTheLabelAndThePostText)
{
    CZQVResource::getInstance();
    const auto sample = TransferStatus::line ({ "Communication_Status_BankReceive_Sample_Pre", "Communication_Status_BankReceive_Sample_Post" },
                                              TransferStatus::sampleLabel (0));
    const auto bank = TransferStatus::line ({ "Communication_Status_AllBankWrite_Bank_Pre", "Communication_Status_AllBankWrite_Bank_Post" },
                                            TransferStatus::bankLabel (2));
    const auto pattern = TransferStatus::line ({ "Communication_Status_SequenceSetWrite_Pre", "Communication_Status_SequenceSetWrite_Post" },
                                               TransferStatus::patternLabel (15));
    CZQVResource::releaseInstance();

    EXPECT_EQ (sample, "Receiving sample C3...");
    EXPECT_EQ (bank, "Writing bank C...");
    EXPECT_EQ (pattern, "Transmitting pattern 16...");
}

TEST (BankSelectionState, CountsTheChosenBanksAndIgnoresIndicesOutsideAToH)
{
    ReceiveBankSelectionState selection;
    EXPECT_EQ (selection.getNumSelected(), 0);
    EXPECT_FALSE (selection.hasSeveralSelected());

    selection.setSelected (1, true);
    EXPECT_EQ (selection.getNumSelected(), 1);
    EXPECT_FALSE (selection.hasSeveralSelected());

    selection.setSelected (4, true);
    selection.setSelected (8, true);
    selection.setSelected (-1, true);
    EXPECT_EQ (selection.getNumSelected(), 2);
    EXPECT_TRUE (selection.hasSeveralSelected());
    EXPECT_TRUE (selection.isSelected (4));
    EXPECT_FALSE (selection.isSelected (8));

    selection.setFileName (4, "LIVE_E");
    selection.setFileName (9, "nowhere");
    EXPECT_EQ (selection.getFileName (4), "LIVE_E");
    EXPECT_EQ (selection.getFileName (9), "");

    selection.clearSelection();
    EXPECT_EQ (selection.getNumSelected(), 0);
}

TEST (BankSelectionState, AWriteSelectionKeepsAFileAndANamePerBank)
{
    WriteBankSelectionState selection;
    const auto file = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("drums.plvr_bank");
    selection.setFile (3, file, "DRUMS");
    selection.setSelected (3, true);

    EXPECT_EQ (selection.getFile (3), file);
    EXPECT_EQ (selection.getDisplayName (3), "DRUMS");
    EXPECT_EQ (selection.getFile (2), juce::File());
    EXPECT_EQ (selection.getFlags()[3], true);
}

#include "history/HistoryTestSupport.h"

#include "history/ParameterActions.h"
#include "history/TransactionNames.h"

using namespace HistoryTestSupport;
using TestSupport::Bytes;
using Messages = std::vector<Bytes>;

using ParameterActionsTest = DeviceHistoryFixture;

TEST_F (ParameterActionsTest, AKnobEditGoesToTheDeviceAndItsUndoSendsTheOldValue)
{
    ASSERT_TRUE (manager.isPortOpen());
    sample (2).setParameter (SampleData::level, 90);

    ASSERT_TRUE (record (TransactionNames::editSampleParameter, new EditSampleParameterAction (2, SampleData::level, 100)));
    EXPECT_EQ (sample (2).getParameter (SampleData::level), 100);
    EXPECT_TRUE (center.isModified());
    EXPECT_EQ (refreshedSamples, std::vector<int> { 2 });
    // Sample 2 is block 18; "Level" is its parameter 24.
    EXPECT_EQ (takeSentMessages(), (Messages { { 0xF0, 0x42, 0x30, 0x7F, 0x41, 0x12, 0x00, 0x18, 0x00, 0x64, 0x00, 0xF7 } }));
    EXPECT_FALSE (notices.getSampleNotice (2));

    ASSERT_TRUE (history.undo());
    EXPECT_EQ (sample (2).getParameter (SampleData::level), 90);
    EXPECT_FALSE (center.isModified());
    EXPECT_EQ (takeSentMessages(), (Messages { { 0xF0, 0x42, 0x30, 0x7F, 0x41, 0x12, 0x00, 0x18, 0x00, 0x5A, 0x00, 0xF7 } }));
}

TEST_F (ParameterActionsTest, EachSampleParameterHasItsDeviceNumber)
{
    // Pan, level, velocity intensity, semitone, tune, decay, release, then
    // BPM sync, loop, reverse and the effect switch.
    const std::vector<std::pair<int, int>> sent {
        { SampleData::pan, 25 }, { SampleData::level, 24 }, { SampleData::veloInt, 29 }, { SampleData::semitone, 27 },
        { SampleData::tune, 28 }, { SampleData::decay, 21 }, { SampleData::release, 22 }, { SampleData::bpmSync, 17 },
        { SampleData::loop, 16 }, { SampleData::reverse, 18 }, { SampleData::fxSw, 26 }
    };

    for (auto [id, deviceParameter] : sent)
    {
        ASSERT_TRUE (record (TransactionNames::editSampleParameter, new EditSampleParameterAction (35, id, 1)));
        EXPECT_EQ (takeSentMessages(), Messages { change (51, deviceParameter, 1) }) << "id " << id;
    }

    // Negative values travel in 14-bit two's complement.
    ASSERT_TRUE (record (TransactionNames::editSampleParameter, new EditSampleParameterAction (0, SampleData::veloInt, -63)));
    EXPECT_EQ (takeSentMessages(), (Messages { { 0xF0, 0x42, 0x30, 0x7F, 0x41, 0x10, 0x00, 0x1D, 0x00, 0x41, 0x7F, 0xF7 } }));
}

TEST_F (ParameterActionsTest, PointsAndOriginalTempoAreNotSentButMarkTheSampleForTransmission)
{
    fill (sample (4), 1, 1000, 0.1f);

    for (int id : { (int) SampleData::originalBpm, (int) SampleData::start, (int) SampleData::end })
    {
        notices.setSampleNotice (4, false);
        ASSERT_TRUE (record (TransactionNames::editSampleParameter, new EditSampleParameterAction (4, id, 500)));
        EXPECT_TRUE (notices.getSampleNotice (4));
        EXPECT_EQ (sample (4).getParameter (id), 500);

        notices.setSampleNotice (4, false);
        ASSERT_TRUE (history.undo());
        EXPECT_TRUE (notices.getSampleNotice (4));
    }

    EXPECT_TRUE (takeSentMessages().empty());
}

TEST_F (ParameterActionsTest, ChangesAreDroppedWhenTheUserTurnedThemOffButTheEditStands)
{
    manager.setParameterChangeSettings ([] { return false; }, [] { return 0; });

    ASSERT_TRUE (record (TransactionNames::editSampleParameter, new EditSampleParameterAction (0, SampleData::pan, 10)));
    ASSERT_TRUE (history.undo());
    ASSERT_TRUE (history.redo());
    EXPECT_EQ (sample (0).getParameter (SampleData::pan), 10);
    EXPECT_TRUE (takeSentMessages().empty());
}

TEST_F (ParameterActionsTest, TheRangeToPointsCommandIsUndoneInOneStep)
{
    fill (sample (1), 2, 1000, 0.1f);
    const int oldStart = sample (1).getParameter (SampleData::start);
    const int oldEnd = sample (1).getParameter (SampleData::end);

    history.beginNewTransaction (TransactionNames::editSampleParameter);
    ASSERT_TRUE (history.perform (new EditSampleParameterAction (1, SampleData::start, 100)));
    ASSERT_TRUE (history.perform (new EditSampleParameterAction (1, SampleData::end, 200)));

    ASSERT_TRUE (history.undo());
    EXPECT_EQ (sample (1).getParameter (SampleData::start), oldStart);
    EXPECT_EQ (sample (1).getParameter (SampleData::end), oldEnd);
    EXPECT_FALSE (history.canUndo());
}

TEST_F (ParameterActionsTest, ASampleNameIsSentPaddedToEightCharacters)
{
    ASSERT_TRUE (record (TransactionNames::editSampleName, new EditSampleNameAction (1, "kick")));
    EXPECT_EQ (sample (1).getName(), "KICK");
    EXPECT_EQ (takeSentMessages(), (Messages { change (17, 0, 'K'), change (17, 1, 'I'), change (17, 2, 'C'), change (17, 3, 'K'),
                                               change (17, 4, ' '), change (17, 5, ' '), change (17, 6, ' '), change (17, 7, ' ') }));

    ASSERT_TRUE (history.undo());
    EXPECT_EQ (sample (1).getName(), "INITSMPL");
    EXPECT_EQ (takeSentMessages().size(), 8u);

    // A name the sample refuses leaves the stored name, which is sent again.
    ASSERT_TRUE (record (TransactionNames::editSampleName, new EditSampleNameAction (1, juce::String::fromUTF8 ("\xc3\xa9t\xc3\xa9"))));
    EXPECT_EQ (sample (1).getName(), "INITSMPL");
    EXPECT_EQ (takeSentMessages()[0], change (17, 0, 'I'));
}

TEST_F (ParameterActionsTest, BankParametersGoToBlockZero)
{
    center.clearModified();

    ASSERT_TRUE (record (TransactionNames::editBankParameter, new EditBankParameterAction (EditBankParameterAction::tempo, 1400)));
    EXPECT_EQ (bank().getTempo(), 1400);
    // 1400 = 0x578: 0x78, then 0x0A.
    EXPECT_EQ (takeSentMessages(), (Messages { { 0xF0, 0x42, 0x30, 0x7F, 0x41, 0x00, 0x00, 0x10, 0x00, 0x78, 0x0A, 0xF7 } }));

    ASSERT_TRUE (record (TransactionNames::editBankParameter, new EditBankParameterAction (EditBankParameterAction::audioInThruFx, 0)));
    EXPECT_FALSE (bank().getAudioInThruFx());
    EXPECT_EQ (takeSentMessages(), Messages { change (0, 18, 0) });

    ASSERT_TRUE (record (TransactionNames::editBankParameter, new EditBankParameterAction (EditBankParameterAction::bankName, 0, "Drums1")));
    EXPECT_EQ (bank().getName(), "DRUMS1");
    EXPECT_EQ (takeSentMessages(), (Messages { change (0, 0, 'D'), change (0, 1, 'R'), change (0, 2, 'U'), change (0, 3, 'M'),
                                               change (0, 4, 'S'), change (0, 5, '1'), change (0, 6, ' '), change (0, 7, ' ') }));

    ASSERT_TRUE (history.undo());
    EXPECT_EQ (bank().getName(), "INITBANK");
    EXPECT_EQ (takeSentMessages().size(), 8u);
    ASSERT_TRUE (history.undo());
    EXPECT_TRUE (bank().getAudioInThruFx());
    EXPECT_EQ (takeSentMessages(), Messages { change (0, 18, 1) });
    ASSERT_TRUE (history.undo());
    EXPECT_EQ (bank().getTempo(), 1200);
    EXPECT_EQ (takeSentMessages(), Messages { change (0, 16, 1200) });
    EXPECT_FALSE (center.isModified());

    EXPECT_EQ (EditBankParameterAction (EditBankParameterAction::tempo, 1).getSizeInUnits(), 8);
    EXPECT_FALSE (record (TransactionNames::editBankParameter, new EditBankParameterAction (3, 1)));
}

TEST_F (ParameterActionsTest, EffectParametersAndKnobsGoToBlockEighty)
{
    ASSERT_TRUE (record (TransactionNames::editEffectParameter, new EditEffectParameterAction (EditEffectParameterAction::effectParameter, 3, 40)));
    EXPECT_EQ (center.getEffectAccessor().getValue (bank().getEffect(), 3), 40);
    EXPECT_EQ (takeSentMessages(), (Messages { { 0xF0, 0x42, 0x30, 0x7F, 0x41, 0x50, 0x00, 0x13, 0x00, 0x28, 0x00, 0xF7 } }));

    ASSERT_TRUE (record (TransactionNames::editEffectParameter, new EditEffectParameterAction (EditEffectParameterAction::knobAssign, 1, 4)));
    EXPECT_EQ (center.getEffectAccessor().getKnobAssign (bank().getEffect(), 1), 4);
    EXPECT_EQ (takeSentMessages(), Messages { change (80, 3, 4) });

    ASSERT_TRUE (history.undo());
    EXPECT_EQ (takeSentMessages(), Messages { change (80, 3, 0) });
    ASSERT_TRUE (history.undo());
    EXPECT_EQ (takeSentMessages(), Messages { change (80, 19, 39) });
    EXPECT_EQ (bank().getEffect().getImage(), EffectData().getImage());
}

TEST_F (ParameterActionsTest, UndoingATypeChangeBringsBackTheWholeEffectAndTransmitsIt)
{
    auto& effect = bank().getEffect();
    center.getEffectAccessor().setValue (effect, 5, 33);
    center.getEffectAccessor().setKnobAssign (effect, 0, 5);
    const auto before = effect.getImage();

    ASSERT_TRUE (record (TransactionNames::editEffectParameter, new EditEffectParameterAction (EditEffectParameterAction::effectType, 0, 0)));
    EXPECT_EQ (effect.getType(), 0);
    EXPECT_NE (effect.getImage(), before);
    EXPECT_EQ (takeSentMessages(), Messages { change (80, 1, 0) });

    ASSERT_TRUE (history.undo());
    EXPECT_EQ (effect.getImage(), before);
    EXPECT_EQ (effectTransmits, 1);
    EXPECT_TRUE (takeSentMessages().empty()) << "the whole effect goes through the Transmit Effect command";

    prefs->setFlag (PreferencesData::enableParameterChange, false);
    ASSERT_TRUE (history.redo());
    ASSERT_TRUE (history.undo());
    EXPECT_EQ (effectTransmits, 1);
}

#include "TestSupport.h"
#include "support/ScriptedMessageBoxes.h"

#include "app/UserFolders.h"
#include "data/DataCenter.h"
#include "data/DataFile.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
struct DataCenterTest : public ::testing::Test
{
    TemporaryFolder temp;
    ScopedBufferIds ids;
    StringTable strings { "ParameterStrings" };

    DataCenterTest()
    {
        UserFolders::overrideApplicationDataFolder (temp.folder);
        SwapFolder::overrideBaseFolder (temp.folder.getChildFile ("swap"));
    }

    ~DataCenterTest() override
    {
        SwapFolder::overrideBaseFolder ({});
        UserFolders::overrideApplicationDataFolder ({});
    }

    static void fillOverBudget (BankData& bank)
    {
        for (int i = 0; i < SampleSet::numSamples; ++i)
            bank.getSample (i).resize (2, 13 * 32768 / 4 + 1, 48000.0, false);
    }
};
}

TEST_F (DataCenterTest, StartsEmptyAndKeepsTheGlobalSettingsAcrossRuns)
{
    const auto settingsFile = temp.folder.getChildFile ("Tavir/Plovara Editor/GlobalSettings.plvr_glob");
    {
        DataCenter center (strings);
        EXPECT_FALSE (center.isModified());
        EXPECT_EQ (center.getDocumentFile(), juce::File());
        EXPECT_NE (center.getAllData(), nullptr);
        EXPECT_TRUE (center.getAllData()->isValid());
        EXPECT_EQ (center.getGlobalData().getImage(), GlobalData::defaultImage);
        EXPECT_EQ (center.getEditBank().getName(), "INITBANK");
        center.getGlobalData().setField (GlobalData::midiRouting, 2);
    }
    ASSERT_TRUE (settingsFile.existsAsFile());
    EXPECT_EQ (settingsFile.getSize(), 48);
    {
        DataCenter center (strings);
        EXPECT_EQ (center.getGlobalData().getField (GlobalData::midiRouting), 2);
    }

    settingsFile.replaceWithText ("damaged");
    DataCenter center (strings);
    EXPECT_EQ (center.getGlobalData().getImage(), GlobalData::defaultImage);
}

TEST_F (DataCenterTest, CopyingASampleChecksTheMemoryFirst)
{
    ScriptedMessageBoxes boxes;
    ScopedMessageBoxes installed (boxes);
    DataCenter center (strings);
    std::vector<int> changed;
    center.setSampleChangedHook ([&changed] (int index) { changed.push_back (index); });

    auto& bank = center.getEditBank();
    bank.getSample (1).setName ("source");
    bank.getSample (1).resize (1, 10, 48000.0, false);
    ASSERT_TRUE (center.copySample (1, 2));
    EXPECT_EQ (bank.getSample (2).getName(), "SOURCE");
    EXPECT_EQ (bank.getSample (2).getBufferId(), bank.getSample (1).getBufferId());
    EXPECT_TRUE (center.isModified());
    EXPECT_EQ (changed, std::vector<int> { 2 });
    EXPECT_TRUE (boxes.getShown().empty());
    EXPECT_FALSE (center.copySample (1, 36));

    center.clearModified();
    fillOverBudget (bank);
    bank.getSample (3).setName ("kept");
    EXPECT_FALSE (center.copySample (1, 3));
    EXPECT_EQ (bank.getSample (3).getName(), "KEPT");
    EXPECT_FALSE (center.isModified());
    ASSERT_EQ (boxes.getShown().size(), 1u);
    EXPECT_EQ (boxes.getShown()[0].key, "Error_NoFreeMemoryToCopySample");

    EXPECT_TRUE (center.checkPatternMemory());
    for (int i = 0; i < SequenceSet::numPatterns; ++i)
        bank.getPattern (i)->setSize (12 * 2048);
    EXPECT_FALSE (center.checkPatternMemory());
    EXPECT_EQ (boxes.getShown().back().key, "Error_NoFreeMemoryToCopyPattern");
}

TEST_F (DataCenterTest, SwappingWorksOverBudgetAndCopiesNoSharedAudio)
{
    bool free = false;
    std::vector<bool> busyChanges;
    ScriptedMessageBoxes boxes (std::make_unique<TestBusyFlag> (free, busyChanges));
    ScopedMessageBoxes installed (boxes);
    DataCenter center (strings);
    auto& bank = center.getEditBank();
    fillOverBudget (bank);

    // While the GUI is busy a failing check shows nothing.
    EXPECT_FALSE (center.checkSampleMemory());
    EXPECT_TRUE (boxes.getShown().empty());

    bank.getSample (0).setName ("first");
    bank.getSample (1).setName ("second");
    bank.getSample (1).copyAudioFrom (bank.getSample (0));
    const int sharedId = bank.getSample (0).getBufferId();
    const float* audio0 = bank.getSample (0).getAudio().getReadPointer (0);
    const float* audio1 = bank.getSample (1).getAudio().getReadPointer (0);

    ASSERT_TRUE (center.swapSamples (0, 1));
    EXPECT_EQ (bank.getSample (0).getName(), "SECOND");
    EXPECT_EQ (bank.getSample (1).getName(), "FIRST");
    EXPECT_EQ (bank.getSample (0).getBufferId(), sharedId);
    EXPECT_EQ (bank.getSample (0).getAudio().getReadPointer (0), audio0);
    EXPECT_EQ (bank.getSample (1).getAudio().getReadPointer (0), audio1);
    EXPECT_TRUE (center.isModified());
}

TEST_F (DataCenterTest, TheEffectAccessorFollowsTheEditBanksTempo)
{
    DataCenter center (strings);
    auto& effect = center.getEditBank().getEffect();
    auto& accessor = center.getEffectAccessor();

    for (int type = 0; type < 22; ++type)
    {
        effect.setByte (EffectData::typeByte, type);
        for (int slot = 0; slot < EffectData::numSlots; ++slot)
        {
            if (accessor.getParameterName (effect, slot) != "Length")
                continue;
            center.getEditBank().setTempo (1200);
            const int atNormalTempo = accessor.getMaximum (effect, slot);
            center.getEditBank().setTempo (300);
            EXPECT_LT (accessor.getMaximum (effect, slot), atNormalTempo);
            return;
        }
    }
    FAIL() << "no Looper length parameter";
}

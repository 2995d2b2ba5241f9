#include "TestSupport.h"
#include "cli/CliRunner.h"

#include "data/AllData.h"
#include "data/DataFile.h"

#include <gtest/gtest.h>

using namespace TestSupport;

TEST (CliInfo, DescribesABankFile)
{
    TemporaryFolder temp;
    BankData bank;
    bank.setName ("live");
    bank.setTempo (1333);
    bank.setAudioInThruFx (false);
    bank.getSample (2).setName ("snare");
    bank.getSample (2).resize (1, 16385, 24000.0, false);
    bank.getPattern (4)->setName ("verse");
    bank.getPattern (4)->setSize (2048);
    bank.getEffect().setByte (EffectData::typeByte, 9);
    ASSERT_TRUE (DataFile::write (bank, temp.folder.getChildFile ("b.plvr_bank")));

    auto result = runCli ({ "--json", "info", "b.plvr_bank" }, temp.folder);
    ASSERT_EQ (result.exitCode, 0) << result.err;
    auto json = result.json();
    EXPECT_EQ (json["kind"].toString(), "bank");
    EXPECT_EQ (json["name"].toString(), "LIVE");
    EXPECT_EQ ((int) json["tempo"], 1333);
    EXPECT_FALSE ((bool) json["audioInThruFx"]);
    EXPECT_TRUE ((bool) json["fits"]);
    EXPECT_EQ ((juce::int64) json["freeSampleMemory"], 15335424 - 65536);
    EXPECT_EQ ((juce::int64) json["freePatternMemory"], 393216 - 15 * 2048 - 4096);
    ASSERT_EQ (json["samples"].size(), 36);
    EXPECT_EQ (json["samples"][2]["name"].toString(), "SNARE");
    EXPECT_EQ ((int) json["samples"][2]["frames"], 16385);
    EXPECT_EQ ((int) json["samples"][2]["sampleRate"], 24000);
    ASSERT_EQ (json["patterns"].size(), 16);
    EXPECT_EQ (json["patterns"][4]["name"].toString(), "VERSE");
    EXPECT_EQ ((int) json["effect"]["type"], 9);

    auto text = runCli ({ "info", "b.plvr_bank" }, temp.folder);
    EXPECT_EQ (text.exitCode, 0);
    EXPECT_TRUE (text.out.contains ("kind: bank"));
    EXPECT_TRUE (text.out.contains ("name: SNARE"));
}

TEST (CliInfo, DescribesABankMemoryBackup)
{
    TemporaryFolder temp;
    SwapFolder::overrideBaseFolder (temp.folder.getChildFile ("swap"));
    {
        AllData all;
        BankData bank;
        bank.setName ("third");
        bank.getSample (0).setName ("kick");
        bank.getPattern (15)->setName ("outro");
        bank.getEffect().setByte (EffectData::typeByte, 4);
        for (int i = 1; i < SampleSet::numSamples; ++i)
            bank.getSample (i).resize (2, 13 * 32768 / 4 + 1, 48000.0, false);
        ASSERT_TRUE (all.getBankSet().storeFrom (2, bank));
        all.getGlobalData().setField (GlobalData::metronome, 4);
        ASSERT_TRUE (DataFile::write (all, temp.folder.getChildFile ("a.plvr_all")));
    }
    SwapFolder::overrideBaseFolder ({});

    auto result = runCli ({ "--json", "info", "a.plvr_all" }, temp.folder);
    ASSERT_EQ (result.exitCode, 0) << result.err;
    auto json = result.json();
    EXPECT_EQ (json["kind"].toString(), "allData");
    ASSERT_EQ (json["banks"].size(), 8);

    auto first = json["banks"][0];
    EXPECT_EQ (first["letter"].toString(), "A");
    EXPECT_EQ (first["name"].toString(), "INITBANK");
    EXPECT_TRUE ((bool) first["fits"]);
    EXPECT_EQ ((int) first["effectType"], 6);

    auto third = json["banks"][2];
    EXPECT_EQ (third["letter"].toString(), "C");
    EXPECT_EQ (third["name"].toString(), "THIRD");
    ASSERT_EQ (third["sampleNames"].size(), 36);
    EXPECT_EQ (third["sampleNames"][0].toString(), "KICK");
    EXPECT_EQ (third["sampleNames"][1].toString(), "INITSMPL");
    ASSERT_EQ (third["patternNames"].size(), 16);
    EXPECT_EQ (third["patternNames"][15].toString(), "OUTRO");
    EXPECT_EQ ((int) third["effectType"], 4);
    EXPECT_FALSE ((bool) third["fits"]);
    EXPECT_EQ (json["banks"][7]["letter"].toString(), "H");
    EXPECT_EQ ((int) json["global"]["fields"]["metronome"], 4);
}

TEST (CliInfo, ABankFileThatIsNotOneFails)
{
    TemporaryFolder temp;
    temp.folder.getChildFile ("broken.plvr_bank").replaceWithText ("3872BnkDxx");
    auto result = runCli ({ "--json", "info", "broken.plvr_bank" }, temp.folder);
    EXPECT_EQ (result.exitCode, 1);
    EXPECT_EQ (result.json()["error"].toString(), "Error_FileFailedToReadDataSetHeader");
}

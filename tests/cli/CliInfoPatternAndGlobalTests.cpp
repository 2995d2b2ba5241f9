#include "TestSupport.h"
#include "cli/CliRunner.h"

#include "data/DataFile.h"
#include "data/GlobalData.h"
#include "data/SequenceData.h"

#include <juce_cryptography/juce_cryptography.h>

#include <gtest/gtest.h>

using namespace TestSupport;

TEST (CliInfo, DescribesAPatternSetFile)
{
    TemporaryFolder temp;
    SequenceSet set;
    auto& groove = *set.getPattern (0);
    groove.setName ("groove");
    groove.setKeyboardSample (5);
    groove.setSize (1500);
    set.getPattern (15)->setSize (0);
    ASSERT_TRUE (DataFile::write (set, temp.folder.getChildFile ("p.plvr_seq")));

    auto result = runCli ({ "--json", "info", "p.plvr_seq" }, temp.folder);
    ASSERT_EQ (result.exitCode, 0) << result.err;
    auto json = result.json();
    EXPECT_EQ (json["kind"].toString(), "patternSet");
    ASSERT_EQ (json["patterns"].size(), 16);

    auto first = json["patterns"][0];
    EXPECT_EQ (first["name"].toString(), "GROOVE");
    EXPECT_EQ ((int) first["size"], 1500);
    EXPECT_EQ ((int) first["length"], 4);
    EXPECT_EQ ((int) first["recordedLength"], 4);
    EXPECT_EQ ((int) first["keyboardSample"], 5);
    EXPECT_EQ (first["sha256"].toString(), juce::SHA256 (groove.getBytes(), 1500).toHexString());

    auto last = json["patterns"][15];
    EXPECT_EQ (last["name"].toString(), "INITPTRN");
    EXPECT_EQ ((int) last["size"], 0);
    EXPECT_EQ ((int) last["length"], 0);
    EXPECT_EQ (last["sha256"].toString(), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");

    auto text = runCli ({ "info", "p.plvr_seq" }, temp.folder);
    EXPECT_EQ (text.exitCode, 0);
    EXPECT_TRUE (text.out.contains ("kind: patternSet"));
    EXPECT_TRUE (text.out.contains ("name: GROOVE"));
}

TEST (CliInfo, DescribesAGlobalFile)
{
    TemporaryFolder temp;
    GlobalData global;
    global.setField (GlobalData::midiClock, 3);
    global.setField (GlobalData::keyboardMidiChannel, 9);
    ASSERT_TRUE (DataFile::write (global, temp.folder.getChildFile ("g.plvr_glob")));

    auto result = runCli ({ "info", "g.plvr_glob", "--json" }, temp.folder);
    ASSERT_EQ (result.exitCode, 0) << result.err;
    auto json = result.json();
    EXPECT_EQ (json["kind"].toString(), "global");
    EXPECT_EQ (json["image"].toString(), "46000913001a00000000000000000000");

    const std::pair<const char*, int> fields[] = {
        { "metronome", 2 }, { "memoryProtect", 0 }, { "lcdBacklight", 1 }, { "audioInMode", 1 },
        { "patternChange", 0 }, { "globalMidiChannel", 0 }, { "keyboardMidiChannel", 9 }, { "localControl", 1 },
        { "midiRouting", 0 }, { "midiClock", 3 }, { "audioInLevel", 0 }, { "startTrim", 3 }, { "endTrim", 2 }
    };
    EXPECT_EQ (json["fields"].getDynamicObject()->getProperties().size(), 13);
    for (auto& [key, value] : fields)
        EXPECT_EQ ((int) json["fields"][key], value) << key;

    auto text = runCli ({ "info", "g.plvr_glob" }, temp.folder);
    EXPECT_TRUE (text.out.contains ("midiClock: 3"));
}

TEST (CliInfo, DamagedPatternAndGlobalFilesFailWithTheirKeys)
{
    TemporaryFolder temp;

    ByteBuilder patternSet;
    patternSet.text ("3872SeqS").le16 (32).le32 (48).le16 (0).le16 (3).le16 (0).le32 (1).le32 (48).fill (0xFF, 4)
              .text ("3872SeqD").le16 (32).le32 (16).le16 (0).le16 (3).le16 (0).le32 (1).le32 (4000).fill (0xFF, 4)
              .fill (0, 16);
    temp.folder.getChildFile ("bad.plvr_seq").replaceWithData (patternSet.bytes.data(), patternSet.bytes.size());

    ByteBuilder global;
    global.text ("3872GlbD").le16 (32).le32 (16).le16 (0).le16 (3).le16 (0).le32 (1).le32 (16).fill (0xFF, 4)
          .fill (0, 10);
    temp.folder.getChildFile ("bad.plvr_glob").replaceWithData (global.bytes.data(), global.bytes.size());

    auto badPatterns = runCli ({ "--json", "info", "bad.plvr_seq" }, temp.folder);
    EXPECT_EQ (badPatterns.exitCode, 1);
    EXPECT_EQ (badPatterns.json()["error"].toString(), "Error_FileFailedToReadSequenceData");

    auto badGlobal = runCli ({ "--json", "info", "bad.plvr_glob" }, temp.folder);
    EXPECT_EQ (badGlobal.exitCode, 1);
    EXPECT_EQ (badGlobal.json()["error"].toString(), "Error_FileFailedToReadGlobalData");
}

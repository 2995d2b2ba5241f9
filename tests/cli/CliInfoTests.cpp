#include "TestSupport.h"
#include "cli/CliRunner.h"

#include "data/SampleData.h"

#include <juce_cryptography/juce_cryptography.h>

#include <gtest/gtest.h>

namespace
{
void writeSampleFile (const juce::File& file, SampleData& sample)
{
    file.deleteFile();
    juce::FileOutputStream out (file);
    ASSERT_TRUE (sample.writeTo (out));
}
}

TEST (CliInfo, DescribesASampleFileAsJson)
{
    TestSupport::TemporaryFolder temp;
    SampleData sample;
    sample.resize (1, 3, 24000.0, false);
    sample.getAudio().setSample (0, 0, 1.0f);
    sample.getAudio().setSample (0, 1, -1.0f);
    sample.setName ("snare");
    sample.setSourceFileName ("snare_top");
    sample.setParameter (SampleData::pan, 10);
    writeSampleFile (temp.folder.getChildFile ("s.plvr_sample"), sample);

    // --json may follow the command.
    auto result = runCli ({ "info", "s.plvr_sample", "--json" }, temp.folder);
    ASSERT_EQ (result.exitCode, 0) << result.err;
    auto json = result.json();
    EXPECT_EQ (json["kind"].toString(), "sample");
    EXPECT_EQ (json["name"].toString(), "SNARE");
    EXPECT_EQ (json["sourceFileName"].toString(), "snare_top");
    EXPECT_EQ ((int) json["channels"], 1);
    EXPECT_EQ ((int) json["frames"], 3);
    EXPECT_EQ ((int) json["sampleRate"], 24000);
    EXPECT_TRUE ((bool) json["headerFlag"]);
    EXPECT_EQ ((int) json["memoryBytes"], 32768);
    EXPECT_EQ ((int) json["parameters"]["pan"], 10);
    EXPECT_EQ ((int) json["parameters"]["originalBpm"], 1200);
    EXPECT_EQ ((int) json["parameters"]["loop"], 1);

    const uint8_t pcm[6] = { 0x7F, 0xFF, 0x80, 0x00, 0x00, 0x00 };
    EXPECT_EQ (json["pcmSha256"].toString(), juce::SHA256 (pcm, sizeof (pcm)).toHexString());

    // --json may also stand before the command; the text form names the fields.
    EXPECT_EQ (runCli ({ "--json", "info", "s.plvr_sample" }, temp.folder).exitCode, 0);
    auto text = runCli ({ "info", "s.plvr_sample" }, temp.folder);
    EXPECT_EQ (text.exitCode, 0);
    EXPECT_TRUE (text.out.contains ("name: SNARE"));
}

TEST (CliInfo, FailuresAndUsageErrorsHaveTheirExitStatus)
{
    TestSupport::TemporaryFolder temp;
    temp.folder.getChildFile ("junk.plvr_sample").replaceWithText ("not a chunk file at all");

    auto junk = runCli ({ "info", "junk.plvr_sample" }, temp.folder);
    EXPECT_EQ (junk.exitCode, 1);
    EXPECT_TRUE (junk.err.contains ("Unsupported file format."));
    EXPECT_TRUE (junk.out.isEmpty());

    auto junkJson = runCli ({ "--json", "info", "junk.plvr_sample" }, temp.folder);
    EXPECT_EQ (junkJson.exitCode, 1);
    EXPECT_EQ (junkJson.json()["error"].toString(), "Error_FileUnsupportedChunk");
    EXPECT_EQ (junkJson.json()["message"].toString(), "Unsupported file format.");

    auto missing = runCli ({ "info", "nothing-here.plvr_sample" }, temp.folder);
    EXPECT_EQ (missing.exitCode, 1);
    EXPECT_TRUE (missing.err.contains ("The file is not found."));

    EXPECT_EQ (runCli ({ "info" }).exitCode, 2);
    EXPECT_EQ (runCli ({ "no-such-command" }).exitCode, 2);
    EXPECT_EQ (runCli ({}).exitCode, 2);
}

TEST (CliInfo, HelpAndVersion)
{
    auto version = runCli ({ "--version" });
    EXPECT_EQ (version.exitCode, 0);
    EXPECT_TRUE (version.out.contains ("1.0.0"));

    auto help = runCli ({ "--help" });
    EXPECT_EQ (help.exitCode, 0);
    EXPECT_TRUE (help.out.contains ("info"));

    auto infoHelp = runCli ({ "info", "--help" });
    EXPECT_EQ (infoHelp.exitCode, 0);
    EXPECT_TRUE (infoHelp.out.contains ("usage: plovara-cli info"));
}

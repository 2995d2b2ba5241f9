#include "TestSupport.h"
#include "cli/CliRunner.h"

#include "data/BankData.h"
#include "data/DataFile.h"
#include "files/DataFileAccess.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
struct CliExtractInsert : ::testing::Test
{
    CliExtractInsert()
    {
        BankData bank;
        bank.setName ("SONG");
        bank.getSample (2).resize (1, 500, 24000.0, false);
        bank.getSample (2).setName ("SNARE");
        bank.getPattern (15)->setName ("LAST");
        EXPECT_TRUE (DataFile::write (bank, file ("song.plvr_bank")));
    }

    juce::File file (const juce::String& name) const { return temp.folder.getChildFile (name); }

    CliResult run (const juce::StringArray& arguments) const { return runCli (arguments, temp.folder); }

    template <class Read>
    Read read (const juce::String& name) const
    {
        Read data;
        EXPECT_EQ (DataFileAccess::read (data, file (name)), "");
        return data;
    }

    TemporaryFolder temp;
    ScopedBufferIds ids;
};
}

TEST_F (CliExtractInsert, ExtractsASampleByKeyOrIndexAndThePatternSet)
{
    auto byKey = run ({ "extract", "song.plvr_bank", "--sample", "d3", "snare.plvr_sample" });
    ASSERT_EQ (byKey.exitCode, 0) << byKey.err;
    EXPECT_EQ (read<SampleData> ("snare.plvr_sample").getName(), "SNARE");
    EXPECT_EQ (read<SampleData> ("snare.plvr_sample").getNumFrames(), 500);

    auto byIndex = run ({ "extract", "song.plvr_bank", "--sample", "2", "again.plvr_sample", "--json" });
    ASSERT_EQ (byIndex.exitCode, 0) << byIndex.err;
    EXPECT_EQ (byIndex.json()["key"].toString(), "D3");
    EXPECT_EQ ((int) byIndex.json()["sample"], 2);
    EXPECT_EQ (read<SampleData> ("again.plvr_sample").getName(), "SNARE");

    auto patterns = run ({ "extract", "song.plvr_bank", "--patterns", "set.plvr_seq" });
    ASSERT_EQ (patterns.exitCode, 0) << patterns.err;
    EXPECT_EQ (read<SequenceSet> ("set.plvr_seq").getPattern (15)->getName(), "LAST");
}

TEST_F (CliExtractInsert, InsertsASampleAndAPatternSetIntoTheBankFile)
{
    SampleData sample;
    sample.resize (2, 300, 48000.0, false);
    sample.setName ("HIHAT");
    ASSERT_TRUE (DataFile::write (sample, file ("hat.plvr_sample")));
    SequenceSet set;
    set.getPattern (0)->setName ("FIRST");
    ASSERT_TRUE (DataFile::write (set, file ("new.plvr_seq")));

    auto sampleRun = run ({ "insert", "song.plvr_bank", "--sample", "B5", "hat.plvr_sample", "--json" });
    ASSERT_EQ (sampleRun.exitCode, 0) << sampleRun.err;
    EXPECT_EQ ((int) sampleRun.json()["sample"], 35);

    auto patternRun = run ({ "insert", "song.plvr_bank", "--patterns", "new.plvr_seq" });
    ASSERT_EQ (patternRun.exitCode, 0) << patternRun.err;

    const auto bank = read<BankData> ("song.plvr_bank");
    EXPECT_EQ (bank.getName(), "SONG");
    EXPECT_EQ (bank.getSample (35).getName(), "HIHAT");
    EXPECT_EQ (bank.getSample (35).getNumChannels(), 2);
    EXPECT_EQ (bank.getSample (2).getName(), "SNARE");
    EXPECT_EQ (bank.getPattern (0)->getName(), "FIRST");
    EXPECT_EQ (bank.getPattern (15)->getName(), "INITPTRN");
}

TEST_F (CliExtractInsert, ABankWithoutFreeSampleMemoryTakesNoSample)
{
    BankData full;
    for (int i = 0; i < SampleSet::numSamples; ++i)
        full.getSample (i).resize (2, 13 * 32768 / 4 + 1, 48000.0, false);
    ASSERT_LT (full.getFreeSampleMemory(), 0);
    ASSERT_TRUE (DataFile::write (full, file ("full.plvr_bank")));
    const auto before = file ("full.plvr_bank").getLastModificationTime();
    SampleData one;
    ASSERT_TRUE (DataFile::write (one, file ("one.plvr_sample")));

    auto refused = run ({ "insert", "full.plvr_bank", "--sample", "C3", "one.plvr_sample", "--json" });
    EXPECT_EQ (refused.exitCode, 1);
    EXPECT_EQ (refused.json()["error"].toString(), "Error_NoFreeMemoryToLoadSample");
    EXPECT_EQ (file ("full.plvr_bank").getLastModificationTime(), before);

    auto plain = run ({ "insert", "full.plvr_bank", "--sample", "C3", "one.plvr_sample" });
    EXPECT_EQ (plain.exitCode, 1);
    EXPECT_TRUE (plain.err.contains ("does not have any memory space left")) << plain.err;
}

TEST_F (CliExtractInsert, FailuresAndUsageErrorsHaveTheirOwnExitStatus)
{
    auto missing = run ({ "insert", "song.plvr_bank", "--sample", "C3", "none.plvr_sample", "--json" });
    EXPECT_EQ (missing.exitCode, 1);
    EXPECT_EQ (missing.json()["error"].toString(), "Error_FileTargetFileNotExist");

    file ("cut.plvr_bank").replaceWithText ("3872BnkD is all there is");
    auto damaged = run ({ "extract", "cut.plvr_bank", "--patterns", "p.plvr_seq", "--json" });
    EXPECT_EQ (damaged.exitCode, 1);
    EXPECT_TRUE (damaged.json()["error"].toString().startsWith ("Error_File"));
    EXPECT_FALSE (file ("p.plvr_seq").exists());

    for (const auto& arguments : { juce::StringArray { "extract", "song.plvr_bank" },
                                   juce::StringArray { "extract", "song.plvr_bank", "--sample", "C6", "x.plvr_sample" },
                                   juce::StringArray { "extract", "song.plvr_bank", "--sample", "36", "x.plvr_sample" },
                                   juce::StringArray { "insert", "song.plvr_bank", "--patterns" } })
    {
        auto result = run (arguments);
        EXPECT_EQ (result.exitCode, 2) << arguments.joinIntoString (" ");
        EXPECT_TRUE (result.err.contains ("usage: plovara-cli")) << result.err;
    }
}

#include "TestSupport.h"
#include "audio/AudioTestFiles.h"
#include "cli/CliRunner.h"

#include "data/DataFile.h"
#include "data/SampleData.h"
#include "data/SequenceData.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// What the tool does with bad arguments, damaged files, a full disk and
// targets that are not files: it fails with a message and keeps what was there.
namespace
{
struct CliBadInput : public ::testing::Test
{
    TestSupport::ScopedBufferIds ids;
    TestSupport::TemporaryFolder temp;

    juce::File file (const juce::String& name) const { return temp.folder.getChildFile (name); }

    CliResult run (const juce::StringArray& arguments, const juce::String& shellPrefix = {}) const
    {
        return runCli (arguments, temp.folder, shellPrefix);
    }

    // A stereo sample file of about 16 KB, larger than the limited disk below.
    void writeLongSample (const juce::String& name) const
    {
        SampleData sample;
        sample.resize (2, 4001, 48000.0, false);
        for (int c = 0; c < 2; ++c)
            for (int f = 0; f < 4000; ++f)
                sample.getAudio().setSample (c, f, (float) ((f * 7 + c * 3) % 200) / 400.0f);
        juce::FileOutputStream stream (file (name));
        ASSERT_TRUE (sample.writeTo (stream));
    }

    juce::MemoryBlock contentOf (const juce::String& name) const
    {
        juce::MemoryBlock bytes;
        file (name).loadFileAsData (bytes);
        return bytes;
    }
};

// The file system holds 4 KiB per file: what a nearly full disk does to a write.
const juce::String smallDisk ("ulimit -f 8;");
}

TEST_F (CliBadInput, AnInvertedOrOutsideRangeFailsAndWritesNothing)
{
    writeLongSample ("s.plvr_sample");

    for (const auto& op : { "truncate", "delete", "silence", "fade-in", "fade-out" })
    {
        for (const auto& range : { std::pair ("10", "5"), std::pair ("1", "0"), std::pair ("-3", "2"), std::pair ("0", "4000") })
        {
            const auto result = run ({ "--json", "wave-edit", "s.plvr_sample", "x.plvr_sample", "--op", op,
                                       "--start", range.first, "--end", range.second });
            EXPECT_EQ (result.exitCode, 1) << op << " " << range.first << ".." << range.second << result.err;
            EXPECT_EQ (result.json()["error"].toString(), "Error_WaveEditInvalidSelection") << op;
        }
    }

    EXPECT_FALSE (file ("x.plvr_sample").exists());
    EXPECT_EQ (run ({ "wave-edit", "s.plvr_sample", "x.plvr_sample", "--op", "truncate", "--start", "5", "--end", "10" }).exitCode, 0);
}

TEST_F (CliBadInput, EveryWriterOnAFullDiskFailsAndKeepsTheOldFile)
{
    writeLongSample ("s.plvr_sample");
    ASSERT_TRUE (AudioTestFiles::writeWav (file ("in.wav"), 48000.0, 2, 4000, [] (int c, int f) { return (float) ((f + c) % 50) / 100.0f; }));
    ASSERT_EQ (run ({ "--device", "virtual", "--virtual-state", "mem.plvr_all", "write-sample", "s.plvr_sample", "C3" }).exitCode, 0);
    const auto state = contentOf ("mem.plvr_all");

    const juce::StringArray commands[] = {
        { "export-audio", "s.plvr_sample", "old.wav" },
        { "export-audio", "s.plvr_sample", "old.aif" },
        { "convert-rate", "s.plvr_sample", "old.plvr_sample", "--rate", "48000" },
        { "import-audio", "in.wav", "old.plvr_sample" },
        { "wave-edit", "s.plvr_sample", "old.plvr_sample", "--op", "normalize" },
        { "--device", "virtual", "--virtual-state", "mem.plvr_all", "receive-sample", "C3", "old.plvr_sample" },
    };

    for (const auto& command : commands)
    {
        const auto target = command.contains ("old.wav") ? "old.wav" : command.contains ("old.aif") ? "old.aif" : "old.plvr_sample";
        file (target).replaceWithText ("the old file");

        auto withJson = command;
        withJson.add ("--json");
        const auto result = run (withJson, smallDisk);
        EXPECT_EQ (result.exitCode, 1) << command.joinIntoString (" ") << "\n" << result.err;
        EXPECT_EQ (result.json()["error"].toString(), "Error_FileFailedToWrite") << command.joinIntoString (" ");
        EXPECT_EQ (file (target).loadFileAsString(), "the old file") << command.joinIntoString (" ");
    }

    EXPECT_TRUE (contentOf ("mem.plvr_all") == state);
    EXPECT_EQ (folderContents (temp.folder), juce::StringArray ({ "in.wav", "mem.plvr_all", "old.aif", "old.plvr_sample", "old.wav", "s.plvr_sample" }));
}

TEST_F (CliBadInput, ALinkIsFollowedAndWhatIsNotAFileIsRefused)
{
    writeLongSample ("s.plvr_sample");
    file ("real.wav").replaceWithText ("old");
    ASSERT_EQ (symlink ("real.wav", file ("link.wav").getFullPathName().toRawUTF8()), 0);

    ASSERT_EQ (run ({ "export-audio", "s.plvr_sample", "link.wav" }).exitCode, 0);
    EXPECT_TRUE (file ("link.wav").isSymbolicLink());
    EXPECT_GT (file ("real.wav").getSize(), 16000);

    // An empty folder named like the output, and a device node.
    ASSERT_TRUE (file ("song.mid").createDirectory());
    ASSERT_TRUE (file ("out.plvr_sample").createDirectory());
    const juce::StringArray refused[] = {
        { "--json", "smf-export", "set.plvr_seq", "--pattern", "1", "song.mid" },
        { "--json", "wave-edit", "s.plvr_sample", "out.plvr_sample", "--op", "normalize" },
        { "--json", "wave-edit", "s.plvr_sample", "/dev/null", "--op", "normalize" },
    };
    SequenceSet set;
    ASSERT_TRUE (DataFile::write (set, file ("set.plvr_seq")));

    for (const auto& command : refused)
        EXPECT_EQ (run (command).exitCode, 1) << command.joinIntoString (" ");

    EXPECT_TRUE (file ("song.mid").isDirectory());
    EXPECT_TRUE (file ("out.plvr_sample").isDirectory());
    struct stat info {};
    ASSERT_EQ (stat ("/dev/null", &info), 0);
    EXPECT_TRUE (S_ISCHR (info.st_mode));
}

TEST_F (CliBadInput, UsageErrorsAnswerInJsonToo)
{
    for (const auto& arguments : { juce::StringArray { "--json", "wave-edit", "only-one" },
                                   juce::StringArray { "--json", "no-such-command" },
                                   juce::StringArray { "--json" },
                                   juce::StringArray { "--json", "--device" } })
    {
        const auto result = run (arguments);
        EXPECT_EQ (result.exitCode, 2) << arguments.joinIntoString (" ");
        EXPECT_EQ (result.json()["error"].toString(), "usage") << arguments.joinIntoString (" ");
        EXPECT_TRUE (result.json()["message"].toString().isNotEmpty()) << arguments.joinIntoString (" ");
    }
}

TEST_F (CliBadInput, SwapFilesOfAKilledRunAreRemovedAtTheNextStart)
{
    // The id of a process that has ended.
    const pid_t gone = fork();
    if (gone == 0)
        _exit (0);
    ASSERT_GT (gone, 0);
    waitpid (gone, nullptr, 0);

    const auto base = file ("tmp").getChildFile ("Plovara-" + juce::String ((int) geteuid()));
    ASSERT_TRUE (base.getChildFile (juce::String (gone)).createDirectory());
    chmod (base.getFullPathName().toRawUTF8(), 0700);
    base.getChildFile (juce::String (gone)).getChildFile ("tempBank_4").replaceWithText ("left by a killed run");

    const auto result = run ({ "strings", "--lang", "en" }, "TMPDIR=" + file ("tmp").getFullPathName().quoted ('\''));
    EXPECT_EQ (result.exitCode, 0) << result.err;
    EXPECT_FALSE (base.getChildFile (juce::String (gone)).exists());
    EXPECT_TRUE (base.isDirectory());
}

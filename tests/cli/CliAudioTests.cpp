#include "TestSupport.h"
#include "audio/AudioTestFiles.h"
#include "cli/CliRunner.h"

#include "data/SampleData.h"

#include <gtest/gtest.h>

namespace
{
struct CliAudio : public ::testing::Test
{
    TestSupport::ScopedBufferIds ids;
    TestSupport::TemporaryFolder temp;

    juce::File file (const juce::String& name) const { return temp.folder.getChildFile (name); }

    CliResult run (const juce::StringArray& arguments) const { return runCli (arguments, temp.folder); }

    SampleData read (const juce::String& name) const
    {
        SampleData sample;
        juce::FileInputStream stream (file (name));
        sample.readFrom (stream);
        return sample;
    }

    void writeSample (const juce::String& name, SampleData& sample) const
    {
        juce::FileOutputStream stream (file (name));
        ASSERT_TRUE (sample.writeTo (stream));
    }
};

float ramp (int, int frame)
{
    return (float) (frame % 100) / 200.0f;
}
}

TEST_F (CliAudio, ImportsAWaveFileAndConvertsItsRate)
{
    ASSERT_TRUE (AudioTestFiles::writeWav (file ("drum loop.wav"), 44100.0, 2, 4410, ramp));

    auto result = run ({ "import-audio", "drum loop.wav", "out.plvr_sample", "--json" });
    ASSERT_EQ (result.exitCode, 0) << result.err;
    EXPECT_EQ ((int) result.json()["frames"], 4801 + 1);

    const auto sample = read ("out.plvr_sample");
    EXPECT_EQ (sample.getName(), "INITSMPL");
    EXPECT_EQ (sample.getSourceFileName(), "drum loop");
    EXPECT_EQ (sample.getSampleRate(), 48000.0);
    EXPECT_EQ (sample.getNumChannels(), 2);
    EXPECT_EQ (sample.getNumFrames(), (int) (4411 * 48000.0 / 44100.0) + 1);
    EXPECT_EQ (sample.getParameter (SampleData::end), sample.getNumFrames() - 2);

    ASSERT_TRUE (AudioTestFiles::writeAiff (file ("b.aif"), 24000.0, 1, 10, ramp));
    result = run ({ "import-audio", "b.aif", "b.plvr_sample", "--name", "bass" });
    ASSERT_EQ (result.exitCode, 0) << result.err;
    const auto bass = read ("b.plvr_sample");
    EXPECT_EQ (bass.getName(), "BASS");
    EXPECT_EQ (bass.getSampleRate(), 24000.0);
    EXPECT_EQ (bass.getNumFrames(), 11);
}

TEST_F (CliAudio, AFailedImportLeavesNoFileBehind)
{
    ASSERT_TRUE (AudioTestFiles::writeWav (file ("quad.wav"), 48000.0, 4, 10, ramp));
    auto result = run ({ "import-audio", "quad.wav", "out.plvr_sample", "--json" });
    EXPECT_EQ (result.exitCode, 1);
    EXPECT_EQ (result.json()["error"].toString(), "Error_FileOver2Channel");
    EXPECT_EQ (folderContents (temp.folder), juce::StringArray ({ "quad.wav" }));

    result = run ({ "import-audio", "missing.wav", "out.plvr_sample" });
    EXPECT_EQ (result.exitCode, 1);
    EXPECT_TRUE (result.err.contains ("The file is not found."));

    file ("text.txt").replaceWithText ("hello");
    EXPECT_EQ (run ({ "import-audio", "text.txt", "out.plvr_sample" }).exitCode, 1);
    EXPECT_FALSE (file ("out.plvr_sample").exists());

    EXPECT_EQ (run ({ "import-audio", "quad.wav" }).exitCode, 2);
    EXPECT_EQ (run ({ "import-audio", "quad.wav", "o.plvr_sample", "--name" }).exitCode, 2);
}

TEST_F (CliAudio, ExportsTheSampleAsSixteenBitAudio)
{
    SampleData sample;
    sample.resize (1, 3, 12000.0, false);
    sample.getAudio().setSample (0, 0, 0.5f);
    sample.getAudio().setSample (0, 1, -1.0f);
    writeSample ("s.plvr_sample", sample);

    auto result = run ({ "export-audio", "s.plvr_sample", "s.wav" });
    ASSERT_EQ (result.exitCode, 0) << result.err;
    juce::MemoryBlock bytes;
    file ("s.wav").loadFileAsData (bytes);
    const size_t data = AudioTestFiles::chunkBody (bytes, "data");
    EXPECT_EQ (AudioTestFiles::int16At (bytes, data - 4, false), 4);
    EXPECT_EQ (AudioTestFiles::int16At (bytes, data, false), 16384);
    EXPECT_EQ (AudioTestFiles::int16At (bytes, data + 2, false), -32768);

    ASSERT_EQ (run ({ "export-audio", "s.plvr_sample", "s.aiff" }).exitCode, 0);
    EXPECT_TRUE (file ("s.aiff").existsAsFile());

    EXPECT_EQ (run ({ "export-audio", "s.plvr_sample", "s.mp3" }).exitCode, 2);
    EXPECT_EQ (run ({ "export-audio", "none.plvr_sample", "n.wav" }).exitCode, 1);
    EXPECT_FALSE (file ("n.wav").exists());
}

TEST_F (CliAudio, ConvertsTheRateAsTheDeviceDoes)
{
    SampleData sample;
    sample.resize (1, 9, 48000.0, false);
    for (int f = 0; f < 9; ++f)
        sample.getAudio().setSample (0, f, (float) f / 16.0f);
    sample.setParameter (SampleData::end, 7);
    writeSample ("s.plvr_sample", sample);

    auto result = run ({ "convert-rate", "s.plvr_sample", "t.plvr_sample", "--rate", "12000" });
    ASSERT_EQ (result.exitCode, 0) << result.err;
    const auto converted = read ("t.plvr_sample");
    EXPECT_EQ (converted.getSampleRate(), 12000.0);
    ASSERT_EQ (converted.getNumFrames(), 2);
    EXPECT_EQ (converted.getAudio().getSample (0, 1), 4.0f / 16.0f);

    EXPECT_EQ (run ({ "convert-rate", "s.plvr_sample", "t.plvr_sample", "--rate", "44100" }).exitCode, 2);
    EXPECT_EQ (run ({ "convert-rate", "s.plvr_sample", "t.plvr_sample" }).exitCode, 2);
}

TEST_F (CliAudio, EditsTheWaveOverTheRangeOrTheWholeSample)
{
    SampleData sample;
    sample.resize (2, 9, 48000.0, false);
    for (int c = 0; c < 2; ++c)
        for (int f = 0; f < 8; ++f)
            sample.getAudio().setSample (c, f, 0.25f);
    writeSample ("s.plvr_sample", sample);

    ASSERT_EQ (run ({ "wave-edit", "s.plvr_sample", "n.plvr_sample", "--op", "normalize" }).exitCode, 0);
    EXPECT_EQ (read ("n.plvr_sample").getAudio().getSample (1, 7), 32767.0f / 32768.0f);   // 1.0 as stored

    ASSERT_EQ (run ({ "wave-edit", "s.plvr_sample", "q.plvr_sample", "--op", "silence", "--start", "2", "--end", "3",
                      "--channels", "1" }).exitCode, 0);
    const auto quiet = read ("q.plvr_sample");
    EXPECT_EQ (quiet.getAudio().getSample (1, 2), 0.0f);
    EXPECT_EQ (quiet.getAudio().getSample (1, 4), 0.25f);
    EXPECT_EQ (quiet.getAudio().getSample (0, 3), 0.25f);

    ASSERT_EQ (run ({ "wave-edit", "s.plvr_sample", "d.plvr_sample", "--op", "delete", "--start", "0", "--end", "5" }).exitCode, 0);
    EXPECT_EQ (read ("d.plvr_sample").getNumFrames(), 3);

    EXPECT_EQ (run ({ "wave-edit", "s.plvr_sample", "x.plvr_sample", "--op", "reverse" }).exitCode, 2);
    EXPECT_EQ (run ({ "wave-edit", "s.plvr_sample", "x.plvr_sample", "--op", "silence", "--start", "2" }).exitCode, 2);
    EXPECT_EQ (run ({ "wave-edit", "s.plvr_sample", "x.plvr_sample", "--op", "silence", "--channels", "3" }).exitCode, 2);
    EXPECT_EQ (run ({ "wave-edit", "s.plvr_sample", "x.plvr_sample", "--op", "fade-in", "--start", "a", "--end", "2" }).exitCode, 2);
    EXPECT_FALSE (file ("x.plvr_sample").exists());
}

#include "TestSupport.h"
#include "audio/AudioTestFiles.h"

#include "audio/io/SampleImportExportManager.h"
#include "data/SampleData.h"

#include <gtest/gtest.h>

namespace
{
using AudioTestFiles::chunkBody;
using AudioTestFiles::int16At;

SampleData sampleOf (std::initializer_list<float> channel0, double rate = 48000.0)
{
    SampleData sample;
    sample.resize (1, (int) channel0.size(), rate, false);
    int f = 0;
    for (float v : channel0)
        sample.getAudio().setSample (0, f++, v);
    return sample;
}

juce::MemoryBlock exportTo (const juce::File& file, const SampleData& sample, bool wave)
{
    file.deleteFile();
    {
        auto stream = std::make_unique<juce::FileOutputStream> (file);
        auto exporter = wave ? SampleImportExportManager::createWaveExporter (std::move (stream))
                             : SampleImportExportManager::createAiffExporter (std::move (stream));
        EXPECT_TRUE (exporter->exportSample (sample, 0));
    }
    juce::MemoryBlock bytes;
    file.loadFileAsData (bytes);
    return bytes;
}
}

TEST (SampleExport, WritesSixteenBitWaveValuesWithoutTheGuardFrame)
{
    TestSupport::TemporaryFolder temp;
    const auto bytes = exportTo (temp.folder.getChildFile ("e.wav"), sampleOf ({ 0.5f, -1.0f, 1.0f, 0.25f, 0.0f }), true);

    // "fmt ": PCM, mono, 48000 Hz, 16 bits.
    const size_t format = chunkBody (bytes, "fmt ");
    ASSERT_GT (format, 0u);
    EXPECT_EQ (int16At (bytes, format, false), 1);
    EXPECT_EQ (int16At (bytes, format + 2, false), 1);
    EXPECT_EQ ((uint16_t) int16At (bytes, format + 4, false), 48000);
    EXPECT_EQ (int16At (bytes, format + 14, false), 16);

    const size_t data = chunkBody (bytes, "data");
    ASSERT_GT (data, 0u);
    EXPECT_EQ (int16At (bytes, data - 4, false), 8);   // 4 frames: the guard frame is left out
    EXPECT_EQ (int16At (bytes, data, false), 16384);
    EXPECT_EQ (int16At (bytes, data + 2, false), -32768);
    EXPECT_EQ (int16At (bytes, data + 4, false), 32767);
    EXPECT_EQ (int16At (bytes, data + 6, false), 8192);
}

TEST (SampleExport, WritesBigEndianAiffValuesAtTheSamplesRate)
{
    TestSupport::TemporaryFolder temp;
    SampleData sample;
    sample.resize (2, 3, 12000.0, false);
    sample.getAudio().setSample (0, 0, 0.5f);
    sample.getAudio().setSample (1, 0, -1.0f);
    sample.getAudio().setSample (0, 1, -0.5f);
    sample.getAudio().setSample (1, 1, 0.0f);
    const auto bytes = exportTo (temp.folder.getChildFile ("e.aif"), sample, false);

    const size_t common = chunkBody (bytes, "COMM");
    ASSERT_GT (common, 0u);
    EXPECT_EQ (int16At (bytes, common, true), 2);           // channels
    EXPECT_EQ (int16At (bytes, common + 4, true), 2);       // frames (low half of 32 bits)
    EXPECT_EQ (int16At (bytes, common + 6, true), 16);      // bits

    // SSND: offset and block size (8 bytes), then the frames interleaved.
    const size_t sound = chunkBody (bytes, "SSND") + 8;
    EXPECT_EQ (int16At (bytes, sound, true), 16384);
    EXPECT_EQ (int16At (bytes, sound + 2, true), -32768);
    EXPECT_EQ (int16At (bytes, sound + 4, true), -16384);
    EXPECT_EQ (int16At (bytes, sound + 6, true), 0);
}

TEST (SampleExport, ASampleOfOneFrameWritesNoFrames)
{
    TestSupport::TemporaryFolder temp;
    const auto bytes = exportTo (temp.folder.getChildFile ("one.wav"), sampleOf ({ 0.5f }), true);
    const size_t data = chunkBody (bytes, "data");
    ASSERT_GT (data, 0u);
    EXPECT_EQ (int16At (bytes, data - 4, false), 0);
}

TEST (SampleExport, ClampsAndTruncatesLikeTheWriter)
{
    EXPECT_EQ (JuceSampleExporter::toWriterValue (0.5f), 1073741824);
    EXPECT_EQ (JuceSampleExporter::toWriterValue (-1.0f), -2147483647);
    EXPECT_EQ (JuceSampleExporter::toWriterValue (2.0f), 2147483647);
    EXPECT_EQ (JuceSampleExporter::toWriterValue (-4.0f), -2147483647);
}

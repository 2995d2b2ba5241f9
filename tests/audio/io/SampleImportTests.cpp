#include "TestSupport.h"
#include "audio/AudioTestFiles.h"

#include "audio/io/SampleImportExportManager.h"
#include "audio/io/ThreadRunningSampleImporter.h"
#include "data/SampleData.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
using namespace AudioTestFiles;

// Value f / 32768 in channel 0, its negative in channel 1: exact in 16 bits.
float numbered (int channel, int frame)
{
    return (channel == 0 ? 1.0f : -1.0f) * (float) (frame + 1) / 32768.0f;
}

struct ImportFixture : public ::testing::Test
{
    TestSupport::ScopedBufferIds ids;
    TestSupport::TemporaryFolder temp;

    juce::File file (const juce::String& name) const { return temp.folder.getChildFile (name); }

    static juce::int64 emptyBank() { return SampleDataFsConverter::bankSampleMemory; }

    // Runs a whole import job on this thread.
    std::unique_ptr<ThreadRunningSampleImporter> runJob (SampleData& target, const juce::File& source,
                                                         juce::int64 freeMemory = emptyBank())
    {
        auto job = std::make_unique<ThreadRunningSampleImporter> (target, source, [freeMemory] { return freeMemory; });
        job->run();
        return job;
    }

    static float rmsOf (const SampleData& sample, int first, int count)
    {
        return sample.getAudio().getRMSLevel (0, first, count);
    }
};
}

TEST_F (ImportFixture, OffersTheWaveThenTheAiffExtensions)
{
    EXPECT_EQ (SampleImportExportManager::getImportableExtensions(), juce::StringArray ({ ".wav", ".bwf", ".aiff", ".aif" }));
}

TEST_F (ImportFixture, ChoosesTheImporterByExtensionOnly)
{
    ASSERT_TRUE (writeWav (file ("a.wav"), 48000.0, 1, 4, numbered));
    file ("junk.aif").replaceWithText ("not audio at all");
    file ("a.txt").replaceWithText ("text");

    EXPECT_NE (SampleImportExportManager::createImporterFor (file ("a.wav")), nullptr);
    EXPECT_NE (SampleImportExportManager::createImporterFor (file ("junk.aif")), nullptr);
    EXPECT_EQ (SampleImportExportManager::createImporterFor (file ("a.txt")), nullptr);
    EXPECT_EQ (SampleImportExportManager::createImporterFor (file ("missing.wav")), nullptr);

    // Bad content fails when read.
    SampleData target;
    EXPECT_FALSE (SampleImportExportManager::createImporterFor (file ("junk.aif"))->importSample (target, 0));
}

TEST_F (ImportFixture, ReadsEveryFrameAndAppendsASilentGuardFrame)
{
    for (const auto& name : { juce::String ("s.wav"), juce::String ("s.aiff") })
    {
        ASSERT_TRUE (name.endsWith ("wav") ? writeWav (file (name), 24000.0, 2, 5, numbered)
                                           : writeAiff (file (name), 24000.0, 2, 5, numbered));
        SampleData target;
        auto importer = SampleImportExportManager::createImporterFor (file (name));
        ASSERT_TRUE (importer->importSample (target, 0)) << name;

        ASSERT_EQ (target.getNumChannels(), 2);
        ASSERT_EQ (target.getNumFrames(), 6);
        EXPECT_EQ (target.getSampleRate(), 24000.0);
        for (int f = 0; f < 5; ++f)
        {
            EXPECT_EQ (target.getAudio().getSample (0, f), numbered (0, f)) << name << " frame " << f;
            EXPECT_EQ (target.getAudio().getSample (1, f), numbered (1, f));
        }
        EXPECT_EQ (target.getAudio().getSample (0, 5), 0.0f);
        EXPECT_EQ (target.getAudio().getSample (1, 5), 0.0f);
        EXPECT_EQ (importer->getProgressPercent(), 100);

        // An importer imports once.
        EXPECT_FALSE (importer->importSample (target, 0));
    }
}

TEST_F (ImportFixture, KeepsFloatingPointValuesAsTheyAre)
{
    ASSERT_TRUE (writeWav (file ("f.wav"), 48000.0, 1, 3, [] (int, int f) { return 0.123456f * (float) (f + 1); }, 32));
    SampleData target;
    ASSERT_TRUE (SampleImportExportManager::createImporterFor (file ("f.wav"))->importSample (target, 0));
    EXPECT_EQ (target.getAudio().getSample (0, 2), 0.123456f * 3.0f);
}

TEST_F (ImportFixture, CutsTheFileAtTheFrameLimit)
{
    ASSERT_TRUE (writeWav (file ("long.wav"), 48000.0, 1, 10, numbered));
    SampleData target;
    ASSERT_TRUE (SampleImportExportManager::createImporterFor (file ("long.wav"))->importSample (target, 4));
    ASSERT_EQ (target.getNumFrames(), 5);
    EXPECT_EQ (target.getAudio().getSample (0, 3), numbered (0, 3));
    EXPECT_EQ (target.getAudio().getSample (0, 4), 0.0f);

    // The limit: (the target's memory + free memory + a bank's memory) / 4.
    EXPECT_EQ (ThreadRunningSampleImporter::frameLimitFor (32768, 100000), (32768 + 100000 + 15335424) / 4);
}

TEST_F (ImportFixture, AFileCutShortImportsWhatItHoldsNotTheLengthItsHeaderClaims)
{
    // A 16-bit mono WAV whose data chunk claims a million frames but holds 100.
    auto builder = TestSupport::ByteBuilder()
                       .text ("RIFF").le32 (36 + 2000000).text ("WAVE")
                       .text ("fmt ").le32 (16).le16 (1).le16 (1).le32 (48000).le32 (96000).le16 (2).le16 (16)
                       .text ("data").le32 (2000000);
    for (int f = 0; f < 100; ++f)
        builder.le16 (f + 1);
    const auto wav = builder.bytes;

    SampleData sample;
    WaveSampleImporter importer (std::make_unique<juce::MemoryInputStream> (wav.data(), wav.size(), false));
    ASSERT_TRUE (importer.importSample (sample, 0));

    // Up to the header's 44 bytes may come back as silence, never more.
    EXPECT_GE (sample.getNumFrames(), 101);
    EXPECT_LE (sample.getNumFrames(), 101 + 22);
    for (int f = 0; f < 100; ++f)
        ASSERT_EQ (sample.getAudio().getSample (0, f), (float) (f + 1) / 32768.0f) << f;
}

TEST_F (ImportFixture, StopsReadingWhenCancelled)
{
    ASSERT_TRUE (writeWav (file ("long.wav"), 48000.0, 1, 200000, constant (0.25f)));
    SampleData target;
    auto importer = SampleImportExportManager::createImporterFor (file ("long.wav"));
    std::vector<int> reported;
    importer->setProgressCallback ([&] (int percent)
    {
        reported.push_back (percent);
        if (percent > 0)
            importer->cancel();
    });

    EXPECT_FALSE (importer->importSample (target, 0));
    EXPECT_TRUE (importer->isCancelRequested());
    // The first block of 48000 frames was read, then the loop stopped.
    EXPECT_EQ (reported, std::vector<int> ({ 24 }));
    EXPECT_EQ (target.getAudio().getSample (0, 47999), 0.25f);
    EXPECT_EQ (target.getAudio().getSample (0, 48000), 0.0f);
}

TEST_F (ImportFixture, ConvertsA44100HzFileTo48000HzWithFadedEdges)
{
    ASSERT_TRUE (writeWav (file ("cd.wav"), 44100.0, 2, 44100, constant (0.5f)));
    SampleData target;
    target.setName ("KICK");
    auto job = runJob (target, file ("cd.wav"));

    ASSERT_TRUE (job->hasSucceeded());
    EXPECT_FALSE (job->hasFailed());
    EXPECT_TRUE (job->isFinished());
    EXPECT_EQ (job->getStatusText(), "ThreadRunningSampleImporter_Finished");
    EXPECT_EQ (job->getProgress(), 1.0);

    EXPECT_EQ (target.getSampleRate(), 48000.0);
    EXPECT_EQ (target.getNumFrames(), 48002);
    EXPECT_EQ (target.getParameter (SampleData::start), 0);
    EXPECT_EQ (target.getParameter (SampleData::end), 48000);
    EXPECT_EQ (target.getName(), "KICK");

    const auto& audio = target.getAudio();
    EXPECT_LT (std::abs (audio.getSample (0, 0)), 0.02f);          // faded in
    EXPECT_NEAR (audio.getSample (0, 24000), 0.5f, 0.001f);
    EXPECT_NEAR (audio.getSample (1, 24000), 0.5f, 0.001f);
    EXPECT_LT (std::abs (audio.getSample (0, 47999)), 0.05f);      // faded out
    EXPECT_EQ (audio.getSample (0, 48001), 0.0f);                  // guard
}

// The import converts while it reads, in blocks, never holding the file at
// its own rate; the result must be that of converting the whole loaded file.
TEST_F (ImportFixture, ConvertingWhileReadingGivesTheSameFramesAsConvertingTheLoadedFile)
{
    ASSERT_TRUE (writeWav (file ("song.wav"), 44100.0, 2, 150001, sine (1234.5, 44100.0)));
    SampleData streamed;
    ASSERT_TRUE (runJob (streamed, file ("song.wav"))->hasSucceeded());

    SampleData loaded;
    ASSERT_TRUE (SampleImportExportManager::createImporterFor (file ("song.wav"))->importSample (loaded, 0));
    ASSERT_EQ (SampleDataFsConverter ({}).convert (loaded, 48000.0), SampleDataFsConverter::converted);

    ASSERT_EQ (streamed.getNumFrames(), loaded.getNumFrames());
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < loaded.getNumFrames(); ++i)
            ASSERT_EQ (streamed.getAudio().getSample (c, i), loaded.getAudio().getSample (c, i)) << c << " " << i;
}

TEST_F (ImportFixture, Converts96000HzThroughTheFilterInsteadOfDroppingFrames)
{
    // 30 kHz lies above the new Nyquist frequency: dropping every second
    // frame would fold it to 18 kHz at full level.
    ASSERT_TRUE (writeWav (file ("hi.wav"), 96000.0, 1, 9600, sine (30000.0, 96000.0)));
    SampleData target;
    ASSERT_TRUE (runJob (target, file ("hi.wav"))->hasSucceeded());

    EXPECT_EQ (target.getSampleRate(), 48000.0);
    EXPECT_EQ (target.getNumFrames(), 9601 / 2 + 1);
    EXPECT_LT (rmsOf (target, 500, 3800), 0.001f);

    // A tone below it passes at its level (0.5 / sqrt 2).
    ASSERT_TRUE (writeWav (file ("lo.wav"), 96000.0, 1, 9600, sine (1000.0, 96000.0)));
    SampleData low;
    ASSERT_TRUE (runJob (low, file ("lo.wav"))->hasSucceeded());
    EXPECT_NEAR (rmsOf (low, 480, 3840), 0.35355f, 0.002f);
}

TEST_F (ImportFixture, ConvertsOtherRatesTo48000HzInsteadOfRelabellingThem)
{
    // 22050 Hz: a rational ratio of 320 / 147; 44056 Hz: 6000 / 5507, too
    // fine for one table per phase, so the fractional-phase engine runs.
    for (double rate : { 22050.0, 44056.0, 32000.0 })
    {
        const int frames = (int) rate / 5;
        ASSERT_TRUE (writeWav (file ("r.wav"), rate, 1, frames, sine (1000.0, rate)));
        SampleData target;
        ASSERT_TRUE (runJob (target, file ("r.wav"))->hasSucceeded()) << rate;

        EXPECT_EQ (target.getSampleRate(), 48000.0);
        EXPECT_EQ (target.getNumFrames(), (int) ((frames + 1) * 48000.0 / rate) + 1) << rate;

        // Still a 1 kHz tone at 48 kHz: 48 frames per period.
        const auto& audio = target.getAudio();
        EXPECT_NEAR (rmsOf (target, 960, 4800), 0.35355f, 0.002f) << rate;
        float largestDifference = 0.0f;
        for (int f = 960; f < 5760; ++f)
            largestDifference = std::max (largestDifference, std::abs (audio.getSample (0, f) - audio.getSample (0, f + 48)));
        EXPECT_LT (largestDifference, 0.002f) << rate;
    }
}

TEST_F (ImportFixture, FiltersWhatLiesAboveTheNewNyquistFrequencyOfOtherRates)
{
    // 64 kHz to 48 kHz (3 / 4) and 100 kHz to 48 kHz (12 / 25): a 30 kHz
    // tone must not fold back into the audible band.
    for (double rate : { 64000.0, 100000.0 })
    {
        ASSERT_TRUE (writeWav (file ("hi.wav"), rate, 1, (int) rate / 5, sine (30000.0, rate)));
        SampleData target;
        ASSERT_TRUE (runJob (target, file ("hi.wav"))->hasSucceeded()) << rate;
        EXPECT_LT (rmsOf (target, 960, 7680), 0.001f) << rate;
    }
}

TEST_F (ImportFixture, KeepsTheDevicesOwnRates)
{
    ASSERT_TRUE (writeWav (file ("d.wav"), 12000.0, 1, 5, numbered));
    SampleData target;
    ASSERT_TRUE (runJob (target, file ("d.wav"))->hasSucceeded());
    EXPECT_EQ (target.getSampleRate(), 12000.0);
    EXPECT_EQ (target.getNumFrames(), 6);
    EXPECT_EQ (target.getAudio().getSample (0, 4), numbered (0, 4));
    EXPECT_EQ (target.getParameter (SampleData::end), 4);
}

TEST_F (ImportFixture, TheImportedSampleTakesOverTheSlotsParametersButItsOwnPoints)
{
    ASSERT_TRUE (writeWav (file ("a long file name for a sample.wav"), 24000.0, 1, 50, numbered));
    SampleData imported;
    ASSERT_TRUE (runJob (imported, file ("a long file name for a sample.wav"))->hasSucceeded());

    SampleData slot;
    slot.resize (1, 1000, 48000.0, false);
    slot.setName ("SNARE");
    slot.setParameter (SampleData::pan, 3);
    slot.setParameter (SampleData::reverse, 1);
    slot.setParameter (SampleData::originalBpm, 1400);
    slot.setParameter (SampleData::start, 500);
    slot.setParameter (SampleData::end, 900);

    ThreadRunningSampleImporter::takeOverSlot (imported, slot, file ("a long file name for a sample.wav"));
    EXPECT_EQ (imported.getName(), "SNARE");
    EXPECT_EQ (imported.getParameter (SampleData::pan), 3);
    EXPECT_EQ (imported.getParameter (SampleData::reverse), 1);
    EXPECT_EQ (imported.getParameter (SampleData::originalBpm), 1400);
    EXPECT_EQ (imported.getParameter (SampleData::start), 0);
    EXPECT_EQ (imported.getParameter (SampleData::end), 49);
    EXPECT_EQ (imported.getSourceFileName(), "a long file n..");
    EXPECT_EQ (imported.getNumFrames(), 51);
}

TEST_F (ImportFixture, RefusesMoreThanTwoChannelsAndLeavesTheTarget)
{
    ASSERT_TRUE (writeWav (file ("quad.wav"), 48000.0, 4, 10, numbered));
    SampleData target;
    target.resize (1, 3, 24000.0, false);
    const int id = target.getBufferId();

    auto job = runJob (target, file ("quad.wav"));
    EXPECT_TRUE (job->hasFailed());
    EXPECT_TRUE (job->isFinished());
    EXPECT_FALSE (job->hasSucceeded());
    EXPECT_EQ (job->getStatusText(), "Error_FileOver2Channel");
    EXPECT_EQ (target.getBufferId(), id);
    EXPECT_EQ (target.getNumFrames(), 3);
}

TEST_F (ImportFixture, RefusesAHeaderOfManyChannelsBeforeReadingAnyAudio)
{
    // A 16-bit WAV header of 1000 channels at 48 kHz whose data chunk claims
    // about a million frames; buffers for them would take gigabytes.
    const auto wav = TestSupport::ByteBuilder()
                         .text ("RIFF").le32 (0x7ffffff0).text ("WAVE")
                         .text ("fmt ").le32 (16).le16 (1).le16 (1000).le32 (48000).le32 (96000000).le16 (2000).le16 (16)
                         .text ("data").le32 (0x7fffffd0).fill (0x11, 4000).bytes;
    ASSERT_TRUE (file ("many.wav").replaceWithData (wav.data(), wav.size()));

    SampleData target;
    target.resize (1, 3, 24000.0, false);
    auto job = runJob (target, file ("many.wav"));
    EXPECT_TRUE (job->hasFailed());
    EXPECT_EQ (job->getStatusText(), "Error_FileOver2Channel");
    EXPECT_EQ (target.getNumFrames(), 3);

    SampleData sample;
    sample.resize (1, 5, 48000.0, false);
    WaveSampleImporter importer (std::make_unique<juce::MemoryInputStream> (wav.data(), wav.size(), false));
    EXPECT_FALSE (importer.importSample (sample, 0));
    EXPECT_TRUE (importer.hasTooManyChannels());
    EXPECT_EQ (sample.getNumChannels(), 1) << "the sample as it was";
    EXPECT_EQ (sample.getNumFrames(), 5);

    // What the fuzzer found: an extensible format header of 254 channels,
    // which the framework's reader numbers past its channel types.
    const TestSupport::Bytes found { 0x52, 0x49, 0x46, 0x46, 0x78, 0x00, 0x00, 0x00, 0x57, 0x41, 0x56, 0x45, 0x4a, 0x55,
                                     0x4e, 0x4b, 0x34, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0x00, 0x00, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0xba, 0x00, 0x2d,
                                     0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0x00, 0xf9, 0x66, 0x6d, 0x74, 0x20, 0xf0, 0xff, 0xff, 0xff, 0xfe, 0xff, 0xfe, 0x00,
                                     0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0xf9, 0x66, 0x6d, 0x74, 0x20, 0xf0, 0xff, 0xff, 0xff, 0xfe, 0xff, 0xfe, 0xf6, 0x22,
                                     0x56, 0x00, 0x00, 0x22, 0x56, 0x00, 0x00, 0x01, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00,
                                     0x00, 0x00, 0xf6, 0x22, 0x56, 0x00, 0x00, 0x22, 0x56, 0x00, 0x00, 0x01, 0x00, 0x08,
                                     0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x64, 0x61, 0x74, 0x61, 0x18, 0xa7,
                                     0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0x27, 0x08,
                                     0x00, 0x00, 0x00, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7, 0xa7,
                                     0xa7, 0xa7, 0xa7, 0xa7, 0x4f, 0x43, 0x40, 0x47, 0x57, 0x6e, 0x87, 0x9f, 0xb2, 0xbd,
                                     0xbf, 0xb6, 0xa5, 0x8e };
    WaveSampleImporter extensible (std::make_unique<juce::MemoryInputStream> (found.data(), found.size(), false));
    EXPECT_FALSE (extensible.importSample (sample, 0));
}

TEST_F (ImportFixture, RefusesSampleDepthsTheReadersCannotDecode)
{
    // A mono AIFF at 48 kHz of the given depth with 12 bytes of sound data.
    auto aiff = [] (int bits)
    {
        return TestSupport::ByteBuilder()
            .text ("FORM").be32 (4 + 26 + 8 + 20).text ("AIFF")
            .text ("COMM").be32 (18).be16 (1).be32 (1000).be16 (bits).add ({ 0x40, 0x0e, 0xbb, 0x80 }).fill (0, 6)
            .text ("SSND").be32 (20).be32 (0).be32 (0).fill (0x22, 12).bytes;
    };

    // 4 bits make frames of 0 bytes, 62999 bits frames larger than the
    // reader's buffer: a division by zero and a read that never ends.
    for (int bits : { 4, 12, 62999 })
    {
        const auto bytes = aiff (bits);
        SampleData sample;
        AiffSampleImporter importer (std::make_unique<juce::MemoryInputStream> (bytes.data(), bytes.size(), false));
        EXPECT_FALSE (importer.importSample (sample, 0)) << bits << " bits";
        EXPECT_FALSE (importer.hasTooManyChannels());
    }

    // What the fuzzer found: no sound data chunk, 8388631 frames of 62999 bits.
    const TestSupport::Bytes found { 0x46, 0x4f, 0x52, 0x4d, 0x00, 0x00, 0x00, 0x76, 0x41, 0x49, 0x46, 0x46, 0x43, 0x4f,
                                     0x4d, 0x4d, 0x00, 0x00, 0x00, 0x12, 0x00, 0x01, 0x00, 0x80, 0x00, 0x17, 0xf6, 0x18,
                                     0x40, 0x0e, 0xbb, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x53, 0x99, 0x00, 0xd7, 0xee,
                                     0x1e, 0x0e, 0x07, 0x75, 0x8a, 0x1f, 0x3d, 0xf2, 0x65, 0xd4 };
    ASSERT_TRUE (file ("found.aiff").replaceWithData (found.data(), found.size()));
    SampleData target;
    auto job = runJob (target, file ("found.aiff"));
    EXPECT_TRUE (job->hasFailed());
    EXPECT_EQ (job->getStatusText(), "ThreadRunningSampleImporter_FailedToImport");

    // The depths the readers decode still import.
    for (int bits : { 8, 16, 24 })
    {
        const auto bytes = aiff (bits);
        SampleData sample;
        AiffSampleImporter importer (std::make_unique<juce::MemoryInputStream> (bytes.data(), bytes.size(), false));
        EXPECT_TRUE (importer.importSample (sample, 0)) << bits << " bits";
    }
}

namespace
{
// A file in memory that remembers the largest read asked of it.
struct ReadRecordingStream : public juce::MemoryInputStream
{
    explicit ReadRecordingStream (const TestSupport::Bytes& bytes, int& largestRead)
        : juce::MemoryInputStream (bytes.data(), bytes.size(), false), largest (largestRead)
    {
    }

    int read (void* dest, int count) override
    {
        largest = juce::jmax (largest, count);
        return juce::MemoryInputStream::read (dest, count);
    }

    int& largest;
};

// Eight mono 16-bit frames, 1 to 7 and -8.
TestSupport::ByteBuilder& eightFrames (TestSupport::ByteBuilder& builder, bool bigEndian)
{
    for (int v : { 1, 2, 3, 4, 5, 6, 7, -8 })
        bigEndian ? builder.be16 (v) : builder.le16 (v);
    return builder;
}

// Imports the file, expects the eight frames, and gives the largest read
// the framework's reader asked for.
template <typename Importer>
int largestReadImportingEightFrames (const TestSupport::Bytes& file)
{
    int largestRead = 0;
    SampleData sample;
    Importer importer (std::make_unique<ReadRecordingStream> (file, largestRead));
    EXPECT_TRUE (importer.importSample (sample, 0));
    EXPECT_EQ (sample.getNumFrames(), 9);
    EXPECT_EQ (sample.getSampleRate(), 48000.0);

    if (sample.getNumFrames() == 9)
    {
        EXPECT_EQ (sample.getAudio().getSample (0, 2), 3.0f / 32768.0f);
        EXPECT_EQ (sample.getAudio().getSample (0, 7), -8.0f / 32768.0f);
    }

    return largestRead;
}
}

TEST_F (ImportFixture, MetadataChunksAreSkippedWhateverSizeTheyClaim)
{
    // A WAV with a loop chunk, a list and cue points around the audio; the
    // last claims 1 GB in a file of a hundred bytes.
    TestSupport::ByteBuilder wav;
    wav.text ("RIFF").le32 (0x7ffffff0).text ("WAVE")
       .text ("smpl").le32 (6).fill (0x5a, 6)
       .text ("fmt ").le32 (16).le16 (1).le16 (1).le32 (48000).le32 (96000).le16 (2).le16 (16)
       .text ("LIST").le32 (4).text ("INFO")
       .text ("data").le32 (16);
    eightFrames (wav, false).text ("cue ").le32 (0x40000000).fill (0, 8);

    EXPECT_LE (largestReadImportingEightFrames<WaveSampleImporter> (wav.bytes), 65536)
        << "the claimed size of a chunk is never read or allocated";

    // The same in an RF64 file, whose audio size lies in its "ds64" chunk.
    TestSupport::ByteBuilder rf64;
    rf64.text ("RF64").le32 (-1).text ("WAVE")
        .text ("ds64").le32 (28).le32 (0x7ffffff0).le32 (0).le32 (16).le32 (0).le32 (8).le32 (0).le32 (0)
        .text ("fmt ").le32 (16).le16 (1).le16 (1).le32 (48000).le32 (96000).le16 (2).le16 (16)
        .text ("data").le32 (-1);
    eightFrames (rf64, false).text ("smpl").le32 (0x40000000).fill (0, 8);

    EXPECT_LE (largestReadImportingEightFrames<WaveSampleImporter> (rf64.bytes), 65536);

    // An AIFF with an instrument chunk claiming 1 GB after its audio, and
    // category chunks, empty or with a single letter as their only tag (the
    // framework's parser would read past both).
    TestSupport::ByteBuilder aiff;
    aiff.text ("FORM").be32 (0x7ffffff0).text ("AIFF")
        .text ("cate").be32 (0)
        .text ("cate").be32 (5).fill (0, 4).text ("A").add ({ 0 })
        .text ("COMM").be32 (18).be16 (1).be32 (8).be16 (16).add ({ 0x40, 0x0e, 0xbb, 0x80 }).fill (0, 6)
        .text ("SSND").be32 (24).be32 (0).be32 (0);
    eightFrames (aiff, true).text ("INST").be32 (0x40000000).fill (0, 8);

    EXPECT_LE (largestReadImportingEightFrames<AiffSampleImporter> (aiff.bytes), 65536);
}

TEST_F (ImportFixture, AFormatChunkWithANegativeRateIsRefusedBeforeTheReaderDividesByIt)
{
    // A rate of -1, the lowest number of bytes per second and a depth above
    // 64 bits: the framework's reader would divide the one by the other and
    // stop the program (what the fuzzer found).
    const auto wav = TestSupport::ByteBuilder()
                         .text ("RIFF").le32 (44).text ("WAVE")
                         .text ("fmt ").le32 (16).le16 (1).le16 (1).le32 (-1).le32 (std::numeric_limits<int>::min())
                         .le16 (2).le16 (-1)
                         .text ("data").le32 (8).fill (0x11, 8).bytes;

    SampleData sample;
    WaveSampleImporter importer (std::make_unique<juce::MemoryInputStream> (wav.data(), wav.size(), false));
    EXPECT_FALSE (importer.importSample (sample, 0));
    EXPECT_FALSE (importer.hasTooManyChannels());
}

TEST_F (ImportFixture, ReportsUnreadableFilesAndMissingImporters)
{
    file ("bad.wav").replaceWithText ("RIFF but not really");
    SampleData target;
    auto job = runJob (target, file ("bad.wav"));
    EXPECT_TRUE (job->hasFailed());
    EXPECT_EQ (job->getStatusText(), "ThreadRunningSampleImporter_FailedToImport");

    auto none = runJob (target, file ("missing.wav"));
    EXPECT_TRUE (none->hasFailed());
    EXPECT_TRUE (none->isFinished());
    EXPECT_EQ (none->getStatusText(), "");
}

TEST_F (ImportFixture, RefusesAConversionBeyondTheMemoryRule)
{
    ASSERT_TRUE (writeWav (file ("cd.wav"), 44100.0, 2, 44100, constant (0.5f)));
    SampleData target;
    auto job = runJob (target, file ("cd.wav"), -SampleDataFsConverter::bankSampleMemory);
    EXPECT_TRUE (job->hasFailed());
    EXPECT_EQ (job->getStatusText(), "Error_NoFreeMemoryToFsConvert");
    EXPECT_EQ (target.getNumFrames(), 0);
}

TEST_F (ImportFixture, ACancelledJobLeavesTheTargetAndDoesNotFail)
{
    ASSERT_TRUE (writeWav (file ("cd.wav"), 44100.0, 2, 4410, constant (0.5f)));
    SampleData target;
    ThreadRunningSampleImporter job (target, file ("cd.wav"), [] { return emptyBank(); });
    job.cancel();
    job.run();

    EXPECT_EQ (job.getStatusText(), "ThreadRunningSampleImporter_Canceled");
    EXPECT_FALSE (job.hasFailed());
    EXPECT_TRUE (job.isFinished());
    EXPECT_FALSE (job.hasSucceeded());
    EXPECT_EQ (target.getNumFrames(), 0);
}

TEST_F (ImportFixture, RunsOnItsOwnThreadAndBroadcastsItsChanges)
{
    ASSERT_TRUE (writeWav (file ("cd.wav"), 44100.0, 1, 4410, constant (0.5f)));
    SampleData target;
    ThreadRunningSampleImporter job (target, file ("cd.wav"), [] { return emptyBank(); });

    struct Counter : juce::ChangeListener
    {
        int changes = 0;
        void changeListenerCallback (juce::ChangeBroadcaster*) override { ++changes; }
    } counter;
    job.addChangeListener (&counter);

    EXPECT_EQ (job.getThreadName(), "SampleImport");
    job.startThread();
    ASSERT_TRUE (job.waitForThreadToExit (10000));
    EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return counter.changes > 0; }));
    EXPECT_TRUE (job.hasSucceeded());
    job.removeChangeListener (&counter);
}

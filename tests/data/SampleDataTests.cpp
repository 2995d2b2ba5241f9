#include "TestSupport.h"

#include "app/Exception.h"
#include "data/SampleData.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace TestSupport;

namespace
{
// The 32-byte header of a sample chunk with the given payload size.
ByteBuilder sampleChunkHeader (int payloadSize, int formatVersion = 3)
{
    ByteBuilder b;
    b.text ("3872SmpD").le16 (32).le32 (payloadSize).le16 (0).le16 (formatVersion).le16 (0)
     .le32 (1).le32 (payloadSize).fill (0xFF, 4);
    return b;
}

// The parameter block of a default sample named INITSMPL.
ByteBuilder& defaultParameterBlock (ByteBuilder& b)
{
    return b.text ("INITSMPL")
            .add ({ 0x80 }).fill (0xFF, 3)        // Loop on
            .le32 (0).le32 (0)                    // start, end
            .add ({ 127, 20, 0xFF, 101, 64, 64, 64, 64 })
            .fill (0xFF, 4)
            .fill (0x00, 32);                     // no source file name
}

Bytes write (SampleData& sample)
{
    juce::MemoryOutputStream out;
    EXPECT_TRUE (sample.writeTo (out));
    return bytesOf (out);
}

juce::String readFailureKey (const Bytes& bytes)
{
    juce::MemoryInputStream in (bytes.data(), bytes.size(), false);
    SampleData sample;
    try
    {
        sample.readFrom (in);
    }
    catch (const Exception& e)
    {
        return e.getMessageKey();
    }
    return {};
}

void readInto (SampleData& sample, const Bytes& bytes)
{
    juce::MemoryInputStream in (bytes.data(), bytes.size(), false);
    sample.readFrom (in);
    EXPECT_EQ (in.getPosition(), (juce::int64) bytes.size());
}
}

TEST (SampleChunk, DefaultSampleIs128BytesExactly)
{
    SampleData sample;
    ByteBuilder expected = sampleChunkHeader (96);
    defaultParameterBlock (expected);
    expected.le32 (0).le16 (1200).add ({ 0x01, 0xFF })    // sample header: stereo, 48 kHz
            .fill (0xFF, 8)
            .fill (0xFF, 16);                              // padding of an empty PCM

    EXPECT_EQ (sample.getChunkSize(), 128);
    EXPECT_EQ (write (sample), expected.bytes);
}

TEST (SampleChunk, MonoThreeFramesAreEncodedBigEndianAndPaddedToSixteen)
{
    SampleData sample;
    sample.resize (1, 3, 48000.0, false);
    sample.getAudio().setSample (0, 0, 1.0f);
    sample.getAudio().setSample (0, 1, -1.0f);
    sample.getAudio().setSample (0, 2, 0.99999f);

    ByteBuilder expected = sampleChunkHeader (96);
    defaultParameterBlock (expected);
    expected.le32 (6).le16 (1200).add ({ 0x00, 0xFF })
            .fill (0xFF, 8)
            .add ({ 0x7F, 0xFF, 0x80, 0x00, 0x7F, 0xFF })
            .fill (0xFF, 10);

    EXPECT_EQ (sample.getChunkSize(), 128);
    EXPECT_EQ (write (sample), expected.bytes);
}

TEST (SampleChunk, SixteenPcmBytesGetSixteenBytesOfPadding)
{
    SampleData sample;
    sample.resize (1, 8, 48000.0, false);
    EXPECT_EQ (sample.getChunkSize(), 144);
    EXPECT_EQ ((int) write (sample).size(), 144);
}

TEST (SampleChunk, ReadsBackWhatItWrote)
{
    SampleData sample;
    sample.resize (2, 5, 12000.0, false);
    for (int f = 0; f < 5; ++f)
    {
        sample.getAudio().setSample (0, f, (float) (f - 2) / 4.0f);
        sample.getAudio().setSample (1, f, -(float) f / 8.0f);
    }
    sample.setName ("kick 01");
    sample.setSourceFileName ("drums");
    sample.setParameter (SampleData::veloInt, -63);
    sample.setParameter (SampleData::semitone, 24);
    sample.setParameter (SampleData::end, 3);
    sample.setParameter (SampleData::bpmSync, 2);
    sample.setHeaderFlag (false);

    SampleData back;
    readInto (back, write (sample));

    EXPECT_EQ (back.getName(), "KICK 01");
    EXPECT_EQ (back.getSourceFileName(), "drums");
    EXPECT_EQ (back.getNumChannels(), 2);
    EXPECT_EQ (back.getNumFrames(), 5);
    EXPECT_EQ (back.getSampleRate(), 12000.0);
    EXPECT_FALSE (back.getHeaderFlag());
    for (int i = 0; i < SampleData::numParameters; ++i)
        EXPECT_EQ (back.getParameter (i), sample.getParameter (i)) << "parameter " << i;
    for (int f = 0; f < 5; ++f)
    {
        EXPECT_FLOAT_EQ (back.getAudio().getSample (0, f), sample.getAudio().getSample (0, f));
        EXPECT_FLOAT_EQ (back.getAudio().getSample (1, f), sample.getAudio().getSample (1, f));
    }
}

TEST (SampleChunk, ReadingFailuresCarryTheirKeys)
{
    SampleData sample;
    sample.resize (1, 8, 48000.0, false);
    const auto good = write (sample);

    EXPECT_EQ (readFailureKey (Bytes (good.begin(), good.begin() + 20)), "Error_FileFailedToReadSampleParameter");
    EXPECT_EQ (readFailureKey (Bytes (good.begin(), good.begin() + 40)), "Error_FileFailedToReadSampleParameter");
    EXPECT_EQ (readFailureKey (Bytes (good.begin(), good.begin() + 120)), "Error_FileFailedToReadSampleData");

    auto wrongId = good;
    wrongId[4] = 'B';
    EXPECT_EQ (readFailureKey (wrongId), "Error_FileFailedToReadSampleHeader");
    EXPECT_EQ (readFailureKey (Bytes (good.begin(), good.begin() + 7)), "Error_FileFailedToReadSampleHeader");
}

TEST (SampleChunk, PcmCountPastTheChunkIsRefusedWithoutAllocatingIt)
{
    ByteBuilder b = sampleChunkHeader (96);
    defaultParameterBlock (b);
    b.le32 (0x7FFFFFF0).le16 (1200).add ({ 0x01, 0xFF }).fill (0xFF, 8).fill (0xFF, 16);
    EXPECT_EQ (readFailureKey (b.bytes), "Error_FileFailedToReadSampleData");
}

TEST (SampleChunk, OldFormatVersionsAreUpgraded)
{
    auto chunkWithVersion = [] (int version)
    {
        ByteBuilder b = sampleChunkHeader (96, version);
        b.text ("OLD     ").add ({ 0x00 }).fill (0xFF, 3).le32 (0).le32 (0)
         .add ({ 127, 20, 0xFF, 50, 64, 10, 20, 0x10 })    // Level 50, Semitone -54, Tune 20, VeloInt byte 0x10
         .fill (0xFF, 4).fill (0xFF, 32)
         .le32 (0).le16 (1200).add ({ 0x01, 0xFF }).fill (0xFF, 8).fill (0xFF, 16);
        return b.bytes;
    };

    SampleData v0, v1, v2, v3;
    readInto (v0, chunkWithVersion (0));
    readInto (v1, chunkWithVersion (1));
    readInto (v2, chunkWithVersion (2));
    readInto (v3, chunkWithVersion (3));

    EXPECT_EQ (v0.getParameter (SampleData::level), 66);
    EXPECT_EQ (v0.getParameter (SampleData::semitone), 0);
    EXPECT_EQ (v0.getParameter (SampleData::tune), 64);
    EXPECT_EQ (v0.getParameter (SampleData::veloInt), 0);

    EXPECT_EQ (v1.getParameter (SampleData::level), 66);
    EXPECT_EQ (v1.getParameter (SampleData::veloInt), 0);
    EXPECT_EQ (v1.getParameter (SampleData::semitone), -24);   // 10 - 64 clamped
    EXPECT_EQ (v1.getParameter (SampleData::tune), 20);

    EXPECT_EQ (v2.getParameter (SampleData::level), 50);
    EXPECT_EQ (v2.getParameter (SampleData::veloInt), 0);

    EXPECT_EQ (v3.getParameter (SampleData::level), 50);
    EXPECT_EQ (v3.getParameter (SampleData::veloInt), -48);
    EXPECT_TRUE (v3.getSourceFileName().isEmpty());
}

TEST (SampleChunk, OldLevelTableEndsAt101)
{
    ByteBuilder b = sampleChunkHeader (96, 0);
    b.text ("OLD     ").add ({ 0x00 }).fill (0xFF, 3).le32 (0).le32 (0)
     .add ({ 127, 20, 0xFF, 200, 64, 64, 64, 64 })   // Level above 127 counts as 127
     .fill (0xFF, 4).fill (0xFF, 32)
     .le32 (0).le16 (1200).add ({ 0x01, 0xFF }).fill (0xFF, 8).fill (0xFF, 16);
    SampleData sample;
    readInto (sample, b.bytes);
    EXPECT_EQ (sample.getParameter (SampleData::level), 101);
}

TEST (SampleParameterBlock, FlagsByteUnpacksIntoItsFourParameters)
{
    uint8_t block[64];
    SampleData().buildParameterBlock (block);
    block[8] = 0xA8;

    SampleData sample;
    sample.parseParameterBlock (block);
    EXPECT_EQ (sample.getParameter (SampleData::loop), 1);
    EXPECT_EQ (sample.getParameter (SampleData::bpmSync), 1);
    EXPECT_EQ (sample.getParameter (SampleData::reverse), 0);
    EXPECT_EQ (sample.getParameter (SampleData::fxSw), 1);
}

TEST (SampleParameterBlock, VeloIntByteFFMeansZero)
{
    uint8_t block[64];
    SampleData().buildParameterBlock (block);
    block[27] = 0xFF;
    SampleData sample;
    sample.setParameter (SampleData::veloInt, 30);
    sample.parseParameterBlock (block);
    EXPECT_EQ (sample.getParameter (SampleData::veloInt), 0);
}

TEST (SampleParameterBlock, LongSourceNamesAreShortenedToFitThirtyTwoBytes)
{
    SampleData sample;
    sample.setSourceFileName ("abcdefghijklmnopqrst");
    EXPECT_EQ (sample.getSourceFileName(), "abcdefghijklm..");

    sample.setSourceFileName ("exactly15chars!");
    EXPECT_EQ (sample.getSourceFileName(), "exactly15chars!");

    // Fifteen three-byte characters need 46 bytes: two characters are
    // dropped at a time until the name and its zero fit.
    sample.setSourceFileName (juce::String::fromUTF8 ("あいうえおかきくけこさしすせそ"));
    uint8_t block[64];
    sample.buildParameterBlock (block);
    const auto written = juce::String::fromUTF8 (reinterpret_cast<const char*> (block + 32));
    EXPECT_EQ (written, juce::String::fromUTF8 ("あいうえおかきくけ"));
    EXPECT_EQ (block[63], 0);
}

// Found by fuzzing: a source name field that is not UTF-8 was kept as raw
// bytes, which the string functions cut inconsistently, so a sample read,
// written and read again came back with another name.
TEST (SampleParameterBlock, SourceNameBytesThatAreNotUtf8AreSingleCharacters)
{
    uint8_t block[64];
    SampleData().buildParameterBlock (block);
    const uint8_t source[] = { 0x40, 0x34, 0x40, 0x5E, 0xFF, 0x6B, 0x20, 0xFF, 0x63,
                               0xFF, 0xFF, 0x69, 0x6B, 0x64, 0x72, 0x75, 0x6D };
    std::memcpy (block + 32, source, sizeof (source));

    SampleData sample;
    sample.parseParameterBlock (block);
    const auto expected = juce::String ("@4@^") + juce::String::charToString (0xFF) + "k "
                        + juce::String::charToString (0xFF) + "c" + juce::String::charToString (0xFF)
                        + juce::String::charToString (0xFF) + "ik..";
    EXPECT_EQ (sample.getSourceFileName(), expected);

    SampleData again;
    again.setName ("X");
    auto sampleBytes = write (sample);
    readInto (again, sampleBytes);
    EXPECT_EQ (again.getSourceFileName(), expected);
    EXPECT_EQ (write (again), sampleBytes);
}

// Found by fuzzing: an overlong UTF-8 form (C0 A1 for "!") changed when
// the sample was written and read again.
TEST (SampleParameterBlock, OverlongUtf8InTheSourceNameIsWrittenBackShort)
{
    uint8_t block[64];
    SampleData().buildParameterBlock (block);
    const uint8_t source[] = { 0x40, 0x34, 0xC0, 0xA1, 0x00 };
    std::memcpy (block + 32, source, sizeof (source));

    SampleData sample;
    sample.parseParameterBlock (block);
    EXPECT_EQ (sample.getSourceFileName(), "@4!");

    SampleData again;
    const auto sampleBytes = write (sample);
    readInto (again, sampleBytes);
    EXPECT_EQ (again.getSourceFileName(), "@4!");
    EXPECT_EQ (write (again), sampleBytes);
}

TEST (SampleHeader, FormatByteCarriesChannelsRateAndFlag)
{
    const uint8_t header[8] = { 0, 0, 0, 0, 0xB0, 0x04, 0x25, 0xFF };
    EXPECT_EQ (SampleData::channelsOfHeader (header), 2);
    EXPECT_EQ (SampleData::sampleRateOfHeader (header), 24000.0);

    SampleData sample;
    sample.decodeHeaderAndPcm (header, nullptr, 0, false);
    EXPECT_FALSE (sample.getHeaderFlag());
    EXPECT_EQ (sample.getSampleRate(), 24000.0);

    uint8_t built[8];
    sample.buildHeader (built);
    EXPECT_EQ (built[6], 0x25);
}

TEST (SampleHeader, UnknownRatesAreWrittenAndReadAs48k)
{
    SampleData sample;
    sample.resize (1, 0, 44100.0, false);
    uint8_t header[8];
    sample.buildHeader (header);
    EXPECT_EQ (header[6], 0x00);

    header[6] = 0x1C;   // rate code 7
    EXPECT_EQ (SampleData::sampleRateOfHeader (header), 48000.0);
}

TEST (SampleHeader, ShortPcmDecodesWholeFramesAndLeavesTheRestSilent)
{
    const uint8_t header[8] = { 12, 0, 0, 0, 0xB0, 0x04, 0x01, 0xFF };    // stereo, 3 frames
    const uint8_t pcm[6] = { 0x40, 0x00, 0xC0, 0x00, 0x7F };                // 1 whole frame and a bit
    SampleData sample;
    sample.decodeHeaderAndPcm (header, pcm, 5, false);
    ASSERT_EQ (sample.getNumFrames(), 3);
    EXPECT_FLOAT_EQ (sample.getAudio().getSample (0, 0), 0.5f);
    EXPECT_FLOAT_EQ (sample.getAudio().getSample (1, 0), -0.5f);
    EXPECT_FLOAT_EQ (sample.getAudio().getSample (0, 1), 0.0f);
    EXPECT_FLOAT_EQ (sample.getAudio().getSample (1, 2), 0.0f);
}

// A damaged header claiming 2 GiB of PCM used to make the sample
// allocate 4 GiB of audio.
TEST (SampleHeader, ACountBeyondTheDeviceMemoryAndTheBytesAtHandIsNotTrusted)
{
    const uint8_t header[8] = { 0xFF, 0xFF, 0xFF, 0x7F, 0xB0, 0x04, 0x00, 0xFF };  // mono, 2^31 - 1 bytes
    const uint8_t pcm[4] = { 0x40, 0x00, 0xC0, 0x00 };
    SampleData sample;
    sample.decodeHeaderAndPcm (header, pcm, 4, true);
    EXPECT_EQ (sample.getNumFrames(), 0xEA0000 / 2);
    EXPECT_FLOAT_EQ (sample.getAudio().getSample (0, 1), -0.5f);
}

TEST (SampleHeader, ACountBeyondTheDeviceMemoryIsKeptWhenTheBytesAreAtHand)
{
    const int bytes = 0xEA0000 + 4;
    uint8_t header[8] = { 0, 0, 0, 0, 0xB0, 0x04, 0x00, 0xFF };
    header[0] = (uint8_t) (bytes & 0xFF);
    header[1] = (uint8_t) ((bytes >> 8) & 0xFF);
    header[2] = (uint8_t) ((bytes >> 16) & 0xFF);
    const Bytes pcm ((size_t) bytes, 0x20);
    SampleData sample;
    sample.decodeHeaderAndPcm (header, pcm.data(), bytes, false);
    ASSERT_EQ (sample.getNumFrames(), bytes / 2);
    EXPECT_FLOAT_EQ (sample.getAudio().getSample (0, bytes / 2 - 1), 0x2020 / 32768.0f);
}

TEST (SampleHeader, ReclampingFitsStartAndEndToTheNewLength)
{
    SampleData sample;
    sample.resize (1, 1000, 48000.0, false);
    sample.setParameter (SampleData::end, 900);

    const uint8_t header[8] = { 20, 0, 0, 0, 0xB0, 0x04, 0x00, 0xFF };   // mono, 10 frames
    sample.decodeHeaderAndPcm (header, nullptr, 0, false);
    EXPECT_EQ (sample.getParameter (SampleData::end), 900);
    sample.decodeHeaderAndPcm (header, nullptr, 0, true);
    EXPECT_EQ (sample.getParameter (SampleData::end), 8);
}

TEST (SampleParameters, SettersClampToTheirRanges)
{
    SampleData sample;
    sample.resize (1, 500, 48000.0, false);
    sample.setParameter (SampleData::start, 1000);
    EXPECT_EQ (sample.getParameter (SampleData::start), 498);
    sample.setParameter (SampleData::originalBpm, 5);
    EXPECT_EQ (sample.getParameter (SampleData::originalBpm), 200);
    sample.setParameter (SampleData::veloInt, -100);
    EXPECT_EQ (sample.getParameter (SampleData::veloInt), -63);

    SampleData tiny;
    tiny.resize (1, 1, 48000.0, false);
    tiny.setParameter (SampleData::end, 5);
    EXPECT_EQ (tiny.getParameter (SampleData::end), 0);
}

TEST (SampleParameters, NamesFollowTheNameRule)
{
    SampleData sample;
    sample.setName ("ab");
    EXPECT_EQ (sample.getName(), "AB");
    sample.setName ("toolongname");
    EXPECT_EQ (sample.getName(), "TOOLONGN");
    sample.setName (juce::String::fromUTF8 ("caf\xc3\xa9"));
    EXPECT_EQ (sample.getName(), "TOOLONGN");
}

TEST (SampleEncoding, FloatsTruncateTowardZeroAndClamp)
{
    EXPECT_EQ (SampleData::encodeSampleValue (1.0f), 32767);
    EXPECT_EQ (SampleData::encodeSampleValue (-1.0f), -32768);
    EXPECT_EQ (SampleData::encodeSampleValue (0.99999f), 32767);
    EXPECT_EQ (SampleData::encodeSampleValue (-1.5f), -32768);
    EXPECT_EQ (SampleData::encodeSampleValue (0.5f), 16384);
    EXPECT_EQ (SampleData::encodeSampleValue (-0.00002f), 0);
    EXPECT_EQ (SampleData::encodeSampleValue (std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_FLOAT_EQ (SampleData::decodeSampleValue (-32768), -1.0f);
}

TEST (SampleEncoding, EncodesOnlyWholeFramesThatFit)
{
    SampleData sample;
    sample.resize (2, 10, 48000.0, false);
    uint8_t buffer[64];
    EXPECT_EQ (sample.encodePcm (buffer, 7), 4);
    EXPECT_EQ (sample.encodePcm (buffer, 64, 8), 8);
    EXPECT_EQ (sample.encodePcm (buffer, 64, 10), 0);
}

// Nine frames: whole vectors and a tail, with the values that need care in
// every position of a vector.
TEST (SampleEncoding, BlocksOfFramesEncodeAndDecodeLikeSingleValues)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float left[9]  = { 0.5f, -1.0f, 1.0f, nan, -0.00002f, inf, -inf, 0.25f, -0.5f };
    const float right[9] = { -0.5f, 2.0f, nan, 0.0f, -1.5f, 0.99999f, 1.0f / 32768.0f, -inf, 0.125f };
    const uint8_t stereo[36] = { 0x40, 0x00, 0xC0, 0x00,   0x80, 0x00, 0x7F, 0xFF,   0x7F, 0xFF, 0x00, 0x00,
                                 0x00, 0x00, 0x00, 0x00,   0x00, 0x00, 0x80, 0x00,   0x7F, 0xFF, 0x7F, 0xFF,
                                 0x80, 0x00, 0x00, 0x01,   0x20, 0x00, 0x80, 0x00,   0xC0, 0x00, 0x10, 0x00 };
    const uint8_t mono[18] = { 0x40, 0x00, 0x80, 0x00, 0x7F, 0xFF, 0x00, 0x00, 0x00, 0x00,
                               0x7F, 0xFF, 0x80, 0x00, 0x20, 0x00, 0xC0, 0x00 };

    for (int channels : { 1, 2 })
    {
        SampleData sample;
        sample.resize (channels, 9, 48000.0, false);
        for (int f = 0; f < 9; ++f)
        {
            sample.getAudio().setSample (0, f, left[f]);
            if (channels == 2)
                sample.getAudio().setSample (1, f, right[f]);
        }

        uint8_t bytes[36] = {};
        ASSERT_EQ (sample.encodePcm (bytes, sizeof (bytes)), 18 * channels);
        EXPECT_EQ (std::memcmp (bytes, channels == 2 ? stereo : mono, (size_t) (18 * channels)), 0) << channels;

        uint8_t header[SampleData::headerSize] = {};
        header[0] = (uint8_t) (18 * channels);
        header[6] = (uint8_t) (channels - 1);
        SampleData back;
        back.decodeHeaderAndPcm (header, bytes, 18 * channels, false);
        ASSERT_EQ (back.getNumFrames(), 9);
        for (int c = 0; c < channels; ++c)
            for (int f = 0; f < 9; ++f)
                EXPECT_EQ (back.getAudio().getSample (c, f),
                           SampleData::decodeSampleValue (SampleData::encodeSampleValue (sample.getAudio().getSample (c, f))))
                    << c << " " << f;
    }
}

TEST (SampleMemory, RoundsUpTo32KiB)
{
    SampleData sample;
    EXPECT_EQ (sample.getMemorySize(), 0);
    sample.resize (1, 16384, 48000.0, false);
    EXPECT_EQ (sample.getMemorySize(), 32768);
    sample.resize (1, 16385, 48000.0, false);
    EXPECT_EQ (sample.getMemorySize(), 65536);
}

TEST (SampleCopy, SkipsAudioOfTheSameIdentityAndTakesTheParameters)
{
    AudioBufferIdManager::getInstance();
    SampleData a;
    a.resize (1, 4, 48000.0, false);
    a.getAudio().setSample (0, 0, 0.25f);
    a.setName ("A");

    SampleData b;
    b.copyFrom (a);
    EXPECT_EQ (b.getBufferId(), a.getBufferId());
    EXPECT_FLOAT_EQ (b.getAudio().getSample (0, 0), 0.25f);
    EXPECT_EQ (b.getName(), "A");

    // Same identity: the audio is not copied again.
    b.getAudio().setSample (0, 0, 0.75f);
    b.copyFrom (a);
    EXPECT_FLOAT_EQ (b.getAudio().getSample (0, 0), 0.75f);

    a.resize (1, 4, 48000.0, false);
    EXPECT_NE (a.getBufferId(), b.getBufferId());
    AudioBufferIdManager::releaseInstance();
}

TEST (SampleSet, HoldsThirtySixDefaultSamplesAndSumsTheirMemory)
{
    SampleSet set;
    EXPECT_EQ (set.getNumChildren(), 36);
    EXPECT_EQ (set.getSample (35).getName(), "INITSMPL");
    EXPECT_THROW (set.getSample (36), std::out_of_range);

    set.getSample (0).resize (2, 8192, 48000.0, false);    // 32768 bytes
    set.getSample (1).resize (1, 1, 48000.0, false);       // 2 bytes, rounded up
    EXPECT_EQ (set.getMemoryUsed(), 65536);

    set.setCurrentSampleIndex (40);
    EXPECT_EQ (set.getCurrentSampleIndex(), 35);
}

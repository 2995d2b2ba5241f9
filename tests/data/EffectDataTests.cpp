#include "TestSupport.h"

#include "app/Exception.h"
#include "data/EffectData.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
ByteBuilder effectChunkHeader (int payloadSize = 64)
{
    ByteBuilder b;
    b.text ("3872MfxD").le16 (32).le32 (payloadSize).le16 (0).le16 (3).le16 (0)
     .le32 (1).le32 (payloadSize).fill (0xFF, 4);
    return b;
}

// Accepts the first `capacity` bytes and refuses everything after them.
struct LimitedStream : juce::OutputStream
{
    explicit LimitedStream (size_t bytes) : capacity (bytes) {}
    void flush() override {}
    bool setPosition (juce::int64) override { return false; }
    juce::int64 getPosition() override { return (juce::int64) written; }
    bool write (const void*, size_t size) override
    {
        if (written + size > capacity)
            return false;
        written += size;
        return true;
    }
    size_t capacity, written = 0;
};

juce::String readFailureKey (EffectData& effect, const Bytes& bytes)
{
    juce::MemoryInputStream in (bytes.data(), bytes.size(), false);
    try
    {
        effect.readFrom (in);
    }
    catch (const Exception& e)
    {
        return e.getMessageKey();
    }
    return {};
}
}

TEST (EffectChunk, NewEffectIsReverbWithItsDefaults)
{
    EffectData effect;
    ByteBuilder expected = effectChunkHeader();
    expected.add ({ 6, 0, 2, 0 })                          // Reverb, knobs on slots 2 and 0
            .add ({ 10, 1, 19, 39, 10, 20, 0, 63 })        // slots 0..7
            .fill (0, 24)                                  // unused slots 8..31
            .fill (0xFF, 28);

    juce::MemoryOutputStream out;
    EXPECT_TRUE (effect.writeTo (out));
    EXPECT_EQ (bytesOf (out), expected.bytes);
    EXPECT_EQ (effect.getChunkSize(), 96);
    EXPECT_EQ (effect.getChunkId(), "3872MfxD");
    EXPECT_TRUE (effect.isValid());
}

TEST (EffectChunk, ReadsTheImageAsItIsAndStopsAtTheChunkEnd)
{
    ByteBuilder b = effectChunkHeader (80);
    b.add ({ 30, 0x5A, 40, 200 });        // unknown type, reserved byte, knobs out of range
    for (int i = 0; i < 32; ++i)
        b.add ({ 255 - i });
    b.fill (0xEE, 44);                    // payload beyond the image is skipped
    b.text ("NEXT");

    EffectData effect;
    juce::MemoryInputStream in (b.bytes.data(), b.bytes.size(), false);
    EXPECT_TRUE (effect.readFrom (in));
    EXPECT_EQ (in.getPosition(), 32 + 80);
    EXPECT_EQ (effect.getType(), 30);
    EXPECT_EQ (effect.getByte (EffectData::reservedByte), 0x5A);
    EXPECT_EQ (effect.getByte (3), 200);
    EXPECT_EQ (effect.getByte (35), 255 - 31);

    // Writing carries every byte, the reserved one included.
    juce::MemoryOutputStream out;
    effect.writeTo (out);
    const auto written = bytesOf (out);
    ASSERT_EQ (written.size(), 96u);
    EXPECT_TRUE (std::equal (written.begin() + 32, written.begin() + 68, b.bytes.begin() + 32));

    effect.resetToDefaults();
    EXPECT_EQ (effect.getType(), 6);
    EXPECT_EQ (effect.getByte (EffectData::reservedByte), 0);
}

TEST (EffectChunk, FailedReadsKeepThePreviousImage)
{
    EffectData effect;
    effect.setByte (0, 12);
    const auto before = effect.getImage();

    ByteBuilder wrongId;
    wrongId.text ("3872GlbD").fill (0, 88);
    EXPECT_EQ (readFailureKey (effect, wrongId.bytes), "Error_FileFailedToReadEffectHeader");

    EXPECT_EQ (readFailureKey (effect, { '3', '8', '7' }), "Error_FileFailedToReadEffectHeader");

    ByteBuilder truncated = effectChunkHeader();
    truncated.fill (1, 35);
    EXPECT_EQ (readFailureKey (effect, truncated.bytes), "Error_FileFailedToReadEffectData");

    // A payload too small for the image must not borrow the next chunk's bytes.
    ByteBuilder tooSmall = effectChunkHeader (4);
    tooSmall.fill (1, 64);
    EXPECT_EQ (readFailureKey (effect, tooSmall.bytes), "Error_FileFailedToReadEffectData");

    EXPECT_EQ (effect.getImage(), before);
}

TEST (EffectChunk, WriteFailuresThrowTheirMessageKeys)
{
    EffectData effect;

    LimitedStream noHeader (0);
    try { effect.writeTo (noHeader); FAIL(); }
    catch (const Exception& e) { EXPECT_EQ (e.getMessageKey(), "Error_FileFailedToWriteEffectHeader"); }

    LimitedStream noPayload (32);
    try { effect.writeTo (noPayload); FAIL(); }
    catch (const Exception& e) { EXPECT_EQ (e.getMessageKey(), "Error_FileFailedToWriteEffectData"); }
}

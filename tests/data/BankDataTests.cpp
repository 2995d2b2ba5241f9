#include "TestSupport.h"

#include "app/Exception.h"
#include "data/BankData.h"
#include "data/Chunk.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
ByteBuilder chunkHeader (const std::string& id, int payloadSize, int childCount, int childSize)
{
    ByteBuilder b;
    b.text (id).le16 (32).le32 (payloadSize).le16 (0).le16 (3).le16 (0)
     .le32 (childCount).le32 (childSize).fill (0xFF, 4);
    return b;
}

Bytes parameterBlock (const BankData& bank)
{
    Bytes block (BankData::parameterBlockSize);
    bank.buildParameterBlock (block.data());
    return block;
}

template <typename Node>
Bytes chunkOf (Node& node)
{
    juce::MemoryOutputStream out;
    EXPECT_TRUE (node.writeTo (out));
    return bytesOf (out);
}

void readInto (Data& node, const Bytes& bytes)
{
    juce::MemoryInputStream in (bytes.data(), bytes.size(), false);
    node.readFrom (in);
    EXPECT_EQ (in.getPosition(), (juce::int64) bytes.size());
}

// A bank that differs from the defaults in every part.
void customise (BankData& bank)
{
    bank.setName ("drums");
    bank.setTempo (1405);
    bank.setAudioInThruFx (false);
    auto& kick = bank.getSample (3);
    kick.setName ("kick");
    kick.resize (1, 100, 24000.0, false);
    kick.getAudio().setSample (0, 10, 0.5f);
    bank.getSampleSet().setCurrentSampleIndex (3);
    bank.getPattern (7)->setName ("groove");
    bank.getPattern (7)->setSize (1500);
    bank.getEffect().setByte (EffectData::typeByte, 12);
}

void expectCustomised (const BankData& bank)
{
    EXPECT_EQ (bank.getName(), "DRUMS");
    EXPECT_EQ (bank.getTempo(), 1405);
    EXPECT_FALSE (bank.getAudioInThruFx());
    EXPECT_EQ (bank.getSample (3).getName(), "KICK");
    EXPECT_EQ (bank.getSample (3).getNumFrames(), 100);
    EXPECT_EQ (bank.getSample (3).getSampleRate(), 24000.0);
    EXPECT_NEAR (bank.getSample (3).getAudio().getSample (0, 10), 0.5f, 1.0e-4f);
    EXPECT_EQ (bank.getPattern (7)->getName(), "GROOVE");
    EXPECT_EQ (bank.getPattern (7)->getSize(), 1500);
    EXPECT_EQ (bank.getEffect().getType(), 12);
}
}

TEST (BankParameterBlock, NewBankIsInitBankAt120BpmWithTheSwitchOn)
{
    BankData bank;
    const auto expected = ByteBuilder().text ("INITBANK").add ({ 0xB0, 0x04, 0xFF, 0x80 }).fill (0xFF, 52).bytes;
    EXPECT_EQ (parameterBlock (bank), expected);
}

TEST (BankParameterBlock, NamesAreUpperCasePaddedAndReadBackWithoutPadding)
{
    BankData bank;
    bank.setName ("ab");
    bank.setAudioInThruFx (false);
    bank.setTempo (200);
    EXPECT_EQ (bank.getName(), "AB");
    EXPECT_EQ (parameterBlock (bank),
               ByteBuilder().text ("AB      ").le16 (200).add ({ 0xFF, 0x00 }).fill (0xFF, 52).bytes);

    const auto block = ByteBuilder().text ("XY      ").le16 (3000).add ({ 0xFF, 0x80 }).fill (0xFF, 52).bytes;
    bank.parseParameterBlock (block.data());
    EXPECT_EQ (bank.getName(), "XY");
    EXPECT_EQ (bank.getTempo(), 3000);
    EXPECT_TRUE (bank.getAudioInThruFx());

    bank.setName (juce::String (juce::CharPointer_UTF8 ("caf\xc3\xa9")));
    EXPECT_EQ (bank.getName(), "XY");
    bank.setName ("longername");
    EXPECT_EQ (bank.getName(), "LONGERNA");
}

TEST (BankParameterBlock, TempoIsKeptInItsRange)
{
    BankData bank;
    bank.setTempo (10);
    EXPECT_EQ (bank.getTempo(), 200);
    bank.setTempo (5000);
    EXPECT_EQ (bank.getTempo(), 3000);
}

TEST (BankParameterChunk, IsNinetySixBytesAndAShortBlockIsRefused)
{
    BankData bank;
    auto expected = chunkHeader ("3872BnkP", 64, 1, 64);
    expected.text ("INITBANK").add ({ 0xB0, 0x04, 0xFF, 0x80 }).fill (0xFF, 52);
    EXPECT_EQ (bank.getParameterChild().getChunkSize(), 96);
    EXPECT_EQ (chunkOf (bank.getParameterChild()), expected.bytes);

    auto shortChunk = chunkHeader ("3872BnkP", 8, 1, 8);
    shortChunk.text ("SHORTONE");
    bank.setName ("kept");
    juce::MemoryInputStream in (shortChunk.bytes.data(), shortChunk.bytes.size(), false);
    EXPECT_THROW (bank.getParameterChild().readFrom (in), Exception);
    EXPECT_EQ (bank.getName(), "KEPT");
}

TEST (BankMemory, SamplesUseWhole32KiBlocks)
{
    BankData bank;
    EXPECT_EQ (bank.getFreeSampleMemory(), 15335424);

    bank.getSample (0).resize (1, 16384, 48000.0, false);
    EXPECT_EQ (bank.getFreeSampleMemory(), 15335424 - 32768);
    bank.getSample (0).resize (1, 16385, 48000.0, false);
    EXPECT_EQ (bank.getFreeSampleMemory(), 15335424 - 65536);
    EXPECT_TRUE (bank.fitsInMemory());

    // 36 stereo samples of 13 blocks each fill the memory exactly.
    for (int i = 0; i < SampleSet::numSamples; ++i)
        bank.getSample (i).resize (2, 13 * 32768 / 4, 48000.0, false);
    EXPECT_EQ (bank.getFreeSampleMemory(), 0);
    EXPECT_TRUE (bank.fitsInMemory());

    bank.getSample (35).resize (2, 13 * 32768 / 4 + 1, 48000.0, false);
    EXPECT_EQ (bank.getFreeSampleMemory(), -32768);
    EXPECT_FALSE (bank.fitsInMemory());
}

TEST (BankMemory, PatternsUseOnePageMoreThanTheyFill)
{
    BankData bank;
    EXPECT_EQ (bank.getFreePatternMemory(), 393216 - 16 * 2048);   // 16 initial patterns of 1308 bytes

    for (int i = 0; i < SequenceSet::numPatterns; ++i)
        bank.getPattern (i)->setSize (0);
    EXPECT_EQ (bank.getFreePatternMemory(), 393216);

    bank.getPattern (0)->setSize (1308);
    EXPECT_EQ (bank.getFreePatternMemory(), 393216 - 2048);
    bank.getPattern (0)->setSize (2048);
    EXPECT_EQ (bank.getFreePatternMemory(), 393216 - 4096);

    for (int i = 0; i < SequenceSet::numPatterns; ++i)
        bank.getPattern (i)->setSize (12 * 2048);
    EXPECT_EQ (bank.getFreePatternMemory(), -16 * 2048);
    EXPECT_FALSE (bank.fitsInMemory());
}

TEST (BankChunk, DefaultBankHeaderAndSize)
{
    BankData bank;
    // Parameters 96, samples 32 + 36 × 128, patterns 32 + 16 × (32 + 1308 + 4), effect 96.
    const int payload = 96 + (32 + 36 * 128) + (32 + 16 * 1344) + 96;
    EXPECT_EQ (bank.getChunkSize(), 32 + payload);

    const auto bytes = chunkOf (bank);
    ASSERT_EQ ((int) bytes.size(), 32 + payload);

    auto expectedStart = chunkHeader ("3872BnkD", payload, 4, 0);
    auto parameters = chunkHeader ("3872BnkP", 64, 1, 64);
    parameters.text ("INITBANK").add ({ 0xB0, 0x04, 0xFF, 0x80 }).fill (0xFF, 52);
    expectedStart.bytes.insert (expectedStart.bytes.end(), parameters.bytes.begin(), parameters.bytes.end());
    const auto samplesHeader = chunkHeader ("3872SmpS", 36 * 128, 36, 128).bytes;
    expectedStart.bytes.insert (expectedStart.bytes.end(), samplesHeader.begin(), samplesHeader.end());

    EXPECT_EQ (Bytes (bytes.begin(), bytes.begin() + (long) expectedStart.bytes.size()), expectedStart.bytes);

    const auto effectHeader = chunkHeader ("3872MfxD", 64, 1, 64).bytes;
    EXPECT_EQ (Bytes (bytes.end() - 96, bytes.end() - 64), effectHeader);
}

TEST (BankChunk, RoundTripKeepsEveryPart)
{
    BankData bank;
    customise (bank);

    BankData back;
    readInto (back, chunkOf (bank));
    expectCustomised (back);
    EXPECT_EQ (chunkOf (back), chunkOf (bank));
}

TEST (BankChunk, ChildrenInAnotherOrderStillFillEveryChild)
{
    BankData source;
    customise (source);

    const auto parameters = chunkOf (source.getParameterChild());
    const auto samples = chunkOf (source.getSampleSet());
    const auto patterns = chunkOf (source.getSequenceSet());
    const auto effect = chunkOf (source.getEffect());

    auto b = chunkHeader ("3872BnkD", (int) (parameters.size() + samples.size() + patterns.size() + effect.size()), 4, 0);
    for (auto* part : { &effect, &patterns, &parameters, &samples })
        b.bytes.insert (b.bytes.end(), part->begin(), part->end());

    BankData back;
    readInto (back, b.bytes);
    expectCustomised (back);
}

TEST (BankChunk, AFileOfAnotherKindIsUnsupported)
{
    SampleData sample;
    const auto bytes = chunkOf (sample);
    BankData bank;
    juce::MemoryInputStream in (bytes.data(), bytes.size(), false);

    try
    {
        bank.readFrom (in);
        FAIL();
    }
    catch (const Exception& e)
    {
        EXPECT_EQ (e.getMessageKey(), "Error_FileUnsupportedChunk");
    }
}

TEST (BankCopy, CopiesEveryPartAndSharesAudioAlreadyEqual)
{
    ScopedBufferIds ids;
    BankData bank;
    customise (bank);

    BankData copy (bank);
    expectCustomised (copy);
    EXPECT_EQ (copy.getSampleSet().getCurrentSampleIndex(), 3);

    const int copiedId = copy.getSample (3).getBufferId();
    copy.getSample (3).setName ("other");
    copy.copyFrom (bank);
    EXPECT_EQ (copy.getSample (3).getName(), "KICK");
    EXPECT_EQ (copy.getSample (3).getBufferId(), copiedId);

    copy.resetToDefaults();
    EXPECT_EQ (copy.getName(), "INITBANK");
    EXPECT_EQ (copy.getTempo(), 1200);
    EXPECT_TRUE (copy.getAudioInThruFx());
    EXPECT_EQ (copy.getSample (3).getNumFrames(), 0);
}

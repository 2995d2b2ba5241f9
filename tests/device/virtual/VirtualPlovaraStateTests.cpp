#include "TestSupport.h"

#include "app/Exception.h"
#include "data/SequenceData.h"
#include "device/virtual/VirtualPlovaraState.h"

#include <gtest/gtest.h>

using namespace TestSupport;

namespace
{
constexpr int bankC = 2;

struct VirtualPlovaraStateTest : public ::testing::Test
{
    ScopedBufferIds bufferIds;
    ScopedUserFolders folders;
    juce::File stateFile = folders.temp.folder.getChildFile ("device.plvr_all");

    template <size_t size>
    static void copyInto (std::array<uint8_t, size>& image, const Bytes& bytes)
    {
        ASSERT_EQ (bytes.size(), size);
        std::copy (bytes.begin(), bytes.end(), image.begin());
    }

    static juce::MemoryBlock blockOf (const Bytes& bytes) { return { bytes.data(), bytes.size() }; }

    // Bank C renamed, with a stereo sample of four frames, a pattern with
    // one event and another effect; the global image changed too.
    static void changeState (VirtualPlovara& device)
    {
        auto bank = device.getBank (bankC);

        copyInto (bank.parameters, ByteBuilder().text ("MYBANK C").le16 (1355).add ({ 0xff, 0x00 }).fill (0xff, 52).bytes);

        auto& sample = bank.samples[3];
        const Bytes pcm = ByteBuilder().be16 (0x1234).be16 (0xfedc).be16 (0x7fff).be16 (0x8000)
                              .be16 (0x0000).be16 (0x0001).be16 (0xffff).be16 (0x4000).bytes;
        copyInto (sample.header, ByteBuilder().le32 ((int) pcm.size()).le16 (1200).add ({ 0x01, 0xff }).bytes);
        sample.pcm = blockOf (pcm);

        auto pattern = SequenceData::createInitialPattern();
        pattern.append ("\x00\x10\x3c\x64", 4);
        std::memcpy (static_cast<char*> (pattern.getData()) + 488, "GROOVE01", 8);
        bank.patterns[7] = pattern;

        bank.effect[0] = 11;
        bank.effect[4] = 0x42;
        device.setBank (bankC, bank);

        auto global = device.getGlobalData();
        global[0] = 0x47;
        global[15] = 0x5a;
        device.setGlobalData (global);
    }

    static juce::String keyOfLoadFailure (VirtualPlovara& device, const juce::File& file)
    {
        try
        {
            VirtualPlovaraState::loadFromFile (device, file);
            return "no failure";
        }
        catch (const Exception& e)
        {
            return e.getMessageKey();
        }
    }

    static void expectSameImages (const VirtualPlovara& expected, const VirtualPlovara& actual)
    {
        EXPECT_EQ (expected.getGlobalData(), actual.getGlobalData());

        for (int b = 0; b < VirtualPlovara::numBanks; ++b)
        {
            const auto want = expected.getBank (b);
            const auto got = actual.getBank (b);
            EXPECT_EQ (want.parameters, got.parameters) << "bank " << b;
            EXPECT_EQ (want.effect, got.effect) << "bank " << b;

            for (int s = 0; s < VirtualPlovara::numSamples; ++s)
            {
                EXPECT_EQ (want.samples[(size_t) s].header, got.samples[(size_t) s].header) << "bank " << b << " sample " << s;
                EXPECT_EQ (want.samples[(size_t) s].parameters, got.samples[(size_t) s].parameters) << "bank " << b << " sample " << s;
                EXPECT_EQ (want.samples[(size_t) s].pcm, got.samples[(size_t) s].pcm) << "bank " << b << " sample " << s;
            }

            for (int p = 0; p < VirtualPlovara::numPatterns; ++p)
                EXPECT_EQ (want.patterns[(size_t) p], got.patterns[(size_t) p]) << "bank " << b << " pattern " << p;
        }
    }
};
}

TEST_F (VirtualPlovaraStateTest, TheMemorySurvivesAFileByteForByte)
{
    VirtualPlovara device;
    changeState (device);
    ASSERT_TRUE (VirtualPlovaraState::saveToFile (device, stateFile));

    VirtualPlovara fresh;
    VirtualPlovaraState::loadFromFile (fresh, stateFile);
    expectSameImages (device, fresh);
    EXPECT_EQ (fresh.getBank (bankC).samples[3].pcm.getSize(), 16u);
    EXPECT_EQ (fresh.getBank (bankC).effect[0], 11);

    // The file is an ordinary bank memory backup: bank C reads as a bank.
    AllData allData;
    juce::FileInputStream stream (stateFile);
    allData.readFrom (stream);
    EXPECT_EQ (allData.getBankSet().getBank (bankC).getInformation().bankName, "MYBANK C");
    EXPECT_EQ (allData.getBankSet().getBank (bankC).getInformation().patternNames[7], "GROOVE01");
    EXPECT_EQ (allData.getBankSet().getBank (bankC).getInformation().effectType, 11);
    EXPECT_EQ (allData.getGlobalData().getImage()[15], 0x5a);
}

TEST_F (VirtualPlovaraStateTest, ADamagedOrMissingFileLeavesTheDeviceAsItWas)
{
    VirtualPlovara source;
    changeState (source);
    ASSERT_TRUE (VirtualPlovaraState::saveToFile (source, stateFile));

    VirtualPlovara device;
    VirtualPlovara untouched;

    // Cut off in the middle of the bank set.
    juce::MemoryBlock bytes;
    ASSERT_TRUE (stateFile.loadFileAsData (bytes));
    const auto damaged = folders.temp.folder.getChildFile ("damaged.plvr_all");
    ASSERT_TRUE (damaged.replaceWithData (bytes.getData(), bytes.getSize() / 2));
    EXPECT_EQ (keyOfLoadFailure (device, damaged), "Error_FileFailedToReadDataSetHeader");
    expectSameImages (untouched, device);

    // Not a bank memory backup at all.
    const auto other = folders.temp.folder.getChildFile ("other.plvr_all");
    ASSERT_TRUE (other.replaceWithText ("3872GlbD and then nothing sensible"));
    EXPECT_EQ (keyOfLoadFailure (device, other), "Error_FileUnsupportedChunk");
    expectSameImages (untouched, device);

    EXPECT_EQ (keyOfLoadFailure (device, folders.temp.folder.getChildFile ("none.plvr_all")), "Error_FileFailedToOpen");
    expectSameImages (untouched, device);
}

#include "TestSupport.h"

#include "device/DeviceConnection.h"
#include "device/virtual/DemoBanks.h"
#include "device/virtual/DemoSounds.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace TestSupport;

namespace
{
juce::String textAt (const uint8_t* bytes, int offset)
{
    return juce::String (reinterpret_cast<const char*> (bytes) + offset, 8);
}

int bigEndian32At (const juce::MemoryBlock& block, int offset)
{
    const auto* p = static_cast<const uint8_t*> (block.getData()) + offset;
    return (p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

int crossingsUpwards (const std::vector<float>& audio)
{
    int count = 0;
    for (size_t i = 1; i < audio.size(); ++i)
        count += audio[i - 1] < 0.0f && audio[i] >= 0.0f ? 1 : 0;
    return count;
}

float peakOf (const std::vector<float>& audio)
{
    float peak = 0.0f;
    for (const float value : audio)
        peak = std::max (peak, std::abs (value));
    return peak;
}
}

TEST (DemoSounds, SoundsPeakAtNineTenthsEndSilentAndRepeat)
{
    const std::vector<float> sounds[] = { DemoSounds::kick (50.0, 0.4), DemoSounds::snare (200.0, 0.2),
                                          DemoSounds::clap (0.3), DemoSounds::hiHat (true),
                                          DemoSounds::tone (DemoSounds::Wave::square, 110.0, 0.5, 0.7) };
    for (const auto& sound : sounds)
    {
        EXPECT_NEAR (peakOf (sound), 0.9f, 1.0e-4f);
        EXPECT_EQ (sound.back(), 0.0f);
    }

    EXPECT_EQ (DemoSounds::snare (200.0, 0.2), sounds[1]);
}

TEST (DemoSounds, ToneSoundsAtItsPitch)
{
    const auto tone = DemoSounds::tone (DemoSounds::Wave::sine, 440.0, 1.0, 0.0);
    EXPECT_EQ (tone.size(), 48000u);
    EXPECT_NEAR (crossingsUpwards (tone), 440, 1);
}

// What the device holds, read from its own byte images.
TEST (DemoBanks, EveryBankOfTheDeviceHoldsNamedSoundsPatternsAndItsEffect)
{
    ScopedBufferIds bufferIds;
    VirtualPlovara device;
    const auto globalBefore = device.getGlobalData();
    DemoBanks::fill (device);

    const char* const bankNames[] = { "HOUSE   ", "ELECTRO ", "HIPHOP  ", "TECHNO  ", "DUB     ", "AMBIENT ", "BREAKS  ", "LOFI    " };
    std::set<int> effectTypes;

    for (int b = 0; b < VirtualPlovara::numBanks; ++b)
    {
        SCOPED_TRACE (b);
        const auto bank = device.getBank (b);
        EXPECT_EQ (textAt (bank.parameters.data(), 0), bankNames[b]);
        EXPECT_LE (bank.sampleMemoryUsed(), VirtualPlovara::sampleMemorySize);
        effectTypes.insert (bank.effect[0]);

        EXPECT_EQ (textAt (bank.samples[0].parameters.data(), 0), "KICK    ");
        EXPECT_EQ (textAt (bank.samples[7].parameters.data(), 0), "BELL    ");
        for (int s = 0; s < VirtualPlovara::numSamples; ++s)
            EXPECT_EQ (bank.samples[(size_t) s].pcm.getSize() > 0, s < DemoBanks::numSamples) << s;

        EXPECT_EQ (textAt (static_cast<const uint8_t*> (bank.patterns[2].getData()), 488), "GROOVE  ");
        for (int p = 0; p < VirtualPlovara::numPatterns; ++p)
        {
            // Events beyond the markers of the recorded measures.
            const int events = bigEndian32At (bank.patterns[(size_t) p], 12);
            EXPECT_EQ (events > 8, p < DemoBanks::numPatterns) << p;
        }
    }

    EXPECT_EQ (effectTypes.size(), 8u);
    EXPECT_EQ (device.getGlobalData(), globalBefore);
}

TEST (DemoBanks, CommandLineChoosesTheDemoOrAStateFile)
{
    ScopedUserFolders folders;
    const auto demo = DeviceConnection::fromCommandLine ({ "--device", "usb", "--demo" });
    EXPECT_EQ (demo.portKind, UsbSessionManager::virtualPort);
    EXPECT_EQ (demo.stateFile, folders.temp.folder.getChildFile ("Tavir/Plovara Editor/DemoDevice.plvr_all"));
    EXPECT_TRUE (demo.demoWhenNew);

    const auto own = DeviceConnection::fromCommandLine ({ "--device", "virtual", "--virtual-state=/tmp/mem.plvr_all" });
    EXPECT_EQ (own.stateFile, juce::File ("/tmp/mem.plvr_all"));
    EXPECT_FALSE (own.demoWhenNew);

    EXPECT_EQ (DeviceConnection::fromCommandLine ({ "--device", "usb", "--virtual-state", "m.plvr_all" }).stateFile, juce::File());
}

TEST (DemoBanks, DemoStateIsMadeOnceKeptAndADamagedFileLeftAlone)
{
    ScopedBufferIds bufferIds;
    ScopedUserFolders folders;
    auto choice = DeviceConnection::fromCommandLine ({ "--demo" });

    auto first = std::make_shared<VirtualPlovara>();
    choice.virtualDevice = first;
    {
        DeviceConnection connection (choice);
        ASSERT_TRUE (choice.stateFile.existsAsFile());
        auto bank = first->getBank (0);
        bank.parameters[0] = 'X';
        first->setBank (0, bank);
    }

    auto second = std::make_shared<VirtualPlovara>();
    choice.virtualDevice = second;
    {
        DeviceConnection connection (choice);
        EXPECT_TRUE (second->hasSameStateAs (*first));
    }

    choice.stateFile.replaceWithText ("not a backup");
    choice.virtualDevice = std::make_shared<VirtualPlovara>();
    {
        DeviceConnection connection (choice);
        EXPECT_TRUE (choice.virtualDevice->hasSameStateAs (VirtualPlovara()));
    }
    EXPECT_EQ (choice.stateFile.loadFileAsString(), "not a backup");
}

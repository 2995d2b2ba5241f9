#include "TestSupport.h"
#include "audio/AudioTestFiles.h"
#include "app/MessageIds.h"
#include "support/CommandTestBench.h"
#include "support/SilentAudioDeviceType.h"

#include "audio/playback/AudioEngine.h"
#include "audio/playback/AudioPlayerManager.h"
#include "audio/playback/DecibelTable.h"
#include "audio/playback/X3872AudioDeviceManager.h"

#include <gtest/gtest.h>

namespace
{
// A sample whose frame i holds i / 1000 (mono) at a rate.
SampleData numberedSample (int frames, double rate)
{
    SampleData sample;
    sample.resize (1, frames, rate, false);
    for (int f = 0; f < frames; ++f)
        sample.getAudio().setSample (0, f, (float) f / 1000.0f);
    return sample;
}

// Renders frames from the player and returns channel 0 as frame numbers.
std::vector<int> renderFrames (SamplePlayer& player, int frames)
{
    juce::AudioBuffer<float> out (2, frames);
    player.render (out.getArrayOfWritePointers(), 2, frames);
    std::vector<int> values;
    for (int f = 0; f < frames; ++f)
        values.push_back (juce::roundToInt (out.getSample (0, f) * 1000.0f));
    return values;
}

std::vector<int> range (int first, int last, int step = 1)
{
    std::vector<int> values;
    for (int v = first; step > 0 ? v <= last : v >= last; v += step)
        values.push_back (v);
    return values;
}

std::vector<int> concat (std::vector<int> a, const std::vector<int>& b)
{
    a.insert (a.end(), b.begin(), b.end());
    return a;
}

// Drives the engine as a device would.
void runCallback (AudioEngine& engine, juce::AudioBuffer<float>& out)
{
    engine.audioDeviceIOCallbackWithContext (nullptr, 0, out.getArrayOfWritePointers(), out.getNumChannels(),
                                             out.getNumSamples(), {});
}

AudioDeviceSettings freshSettings()
{
    return AudioDeviceSettings (juce::XmlElement (AudioDeviceSettings::elementName));
}
}

TEST (PcmRingBuffer, WrapsAndRefusesBlocksAsLargeAsItself)
{
    PcmRingBuffer ring (8, 2);
    float a[6] = { 1, 2, 3, 4, 5, 6 }, b[6] = { -1, -2, -3, -4, -5, -6 };
    const float* sources[2] = { a, b };
    float x[8] = {}, y[8] = {};
    float* destinations[2] = { x, y };

    EXPECT_EQ (ring.write (sources, 8), 0);
    EXPECT_EQ (ring.write (sources, 6), 6);
    EXPECT_EQ (ring.read (destinations, 4), 4);
    EXPECT_EQ (x[3], 4.0f);
    EXPECT_EQ (ring.write (sources, 6), 6);        // wraps at the capacity
    EXPECT_EQ (ring.getLevel(), 8);
    EXPECT_EQ (ring.write (sources, 3), 0);        // full
    EXPECT_EQ (ring.read (destinations, 7), 7);
    EXPECT_EQ ((std::vector<float> (x, x + 7)), (std::vector<float> { 5, 6, 1, 2, 3, 4, 5 }));
    EXPECT_EQ (y[2], -1.0f);
    EXPECT_EQ (ring.read (destinations, 8), 0);
    EXPECT_EQ (ring.read (destinations, 5), 1);    // what is left
    ring.clear();
    EXPECT_EQ (ring.getLevel(), 0);
}

TEST (DecibelTable, StepsInHalfDecibelsFromMinusSixty)
{
    EXPECT_EQ (DecibelTable::toDecibels (0.0f), -60.0f);
    EXPECT_EQ (DecibelTable::toDecibels (0.001f), -60.0f);
    EXPECT_EQ (DecibelTable::toDecibels (0.00105f), -59.5f);
    EXPECT_EQ (DecibelTable::toDecibels (0.0011f), -59.0f);
    EXPECT_EQ (DecibelTable::toDecibels (0.5f), -6.0f);       // 0.5 lies between -6.5 and -6 dB
    EXPECT_EQ (DecibelTable::toDecibels (1.0f), 0.0f);
    EXPECT_EQ (DecibelTable::toDecibels (1.49f), 3.5f);
    EXPECT_EQ (DecibelTable::toDecibels (1.5f), 3.5f);        // beyond the last entry (+3.5 dB)
    EXPECT_NEAR (DecibelTable::threshold (127), std::pow (10.0, 3.5 / 20.0), 1e-6);
}

TEST (SamplePlayer, RepeatsEachFrameOfALowerRate)
{
    SamplePlayer player;
    auto sample = numberedSample (40, 24000.0);
    sample.setParameter (SampleData::end, 30);
    ASSERT_TRUE (player.loadSample (sample));
    player.play();

    EXPECT_EQ (renderFrames (player, 8), (std::vector<int> { 0, 0, 1, 1, 2, 2, 3, 3 }));
    EXPECT_EQ (player.getPlayPosition(), 4);
}

TEST (SamplePlayer, PlaysForwardOnceAndStopsBackAtTheStart)
{
    SamplePlayer player;
    auto sample = numberedSample (40, 48000.0);
    sample.setParameter (SampleData::start, 10);
    sample.setParameter (SampleData::end, 20);
    sample.setParameter (SampleData::loop, 0);
    player.loadSample (sample);
    player.play();

    const auto out = renderFrames (player, 16);
    EXPECT_EQ (out, concat (range (10, 19), std::vector<int> (6, 0)));
    EXPECT_FALSE (player.isPlaying());
    EXPECT_EQ (player.getPlayPosition(), 10);
}

TEST (SamplePlayer, PlaysInReverseAndLoops)
{
    SamplePlayer player;
    auto sample = numberedSample (40, 48000.0);
    sample.setParameter (SampleData::start, 10);
    sample.setParameter (SampleData::end, 20);
    sample.setParameter (SampleData::reverse, 1);
    player.loadSample (sample);
    EXPECT_EQ (player.getPlayPosition(), 20);
    player.play();

    EXPECT_EQ (renderFrames (player, 16), concat (range (20, 10, -1), range (19, 15, -1)));
    EXPECT_TRUE (player.isPlaying());
}

TEST (SamplePlayer, PlaysTheSelectionAndRefusesOddBlocksAndForeignRates)
{
    SamplePlayer player;
    auto sample = numberedSample (40, 48000.0);
    sample.setParameter (SampleData::end, 38);
    player.loadSample (sample);
    player.setSelectionMode (true, 4, 7);
    player.rewind();
    player.play();
    EXPECT_EQ (renderFrames (player, 8), (std::vector<int> { 4, 5, 6, 4, 5, 6, 4, 5 }));

    EXPECT_EQ (renderFrames (player, 12), std::vector<int> (12, 0));   // not a multiple of 8

    auto foreign = numberedSample (10, 44100.0);
    EXPECT_FALSE (player.loadSample (foreign));
    EXPECT_EQ (renderFrames (player, 8), (std::vector<int> { 4, 5, 6, 4, 5, 6, 4, 5 }));   // rewound
    EXPECT_EQ (player.takePeakLevel (0), DecibelTable::toDecibels (0.006f));
    EXPECT_EQ (player.takePeakLevel (0), -60.0f);
}

TEST (AudioEngine, RendersEnoughAt48kHzForTheDevicesBlock)
{
    EXPECT_EQ (AudioEngine::framesToRender (441, 44100.0, 200), 480);
    EXPECT_EQ (AudioEngine::framesToRender (441, 44100.0, 99), 584);   // 480 + 108, down to a multiple of 8
    EXPECT_EQ (AudioEngine::framesToRender (512, 48000.0, 0), 608);
}

TEST (AudioEngine, MixesBothPlayersScaledBy07)
{
    TestSupport::TemporaryFolder temp;
    const auto file = temp.folder.getChildFile ("p.wav");
    ASSERT_TRUE (AudioTestFiles::writeWav (file, 48000.0, 1, 48000, AudioTestFiles::constant (0.25f)));

    AudioEngine engine (freshSettings(), {});
    engine.prepareForDevice (48000.0, 256);

    SampleData sample;
    sample.resize (2, 4000, 48000.0, false);
    sample.getAudio().clear();
    for (int f = 0; f < 4000; ++f)
        sample.getAudio().setSample (0, f, 0.5f), sample.getAudio().setSample (1, f, -0.5f);
    sample.setParameter (SampleData::end, 3998);
    engine.getSamplePlayer().loadSample (sample);
    engine.getSamplePlayer().play();
    ASSERT_TRUE (engine.getPreviewPlayer().loadFile (file));
    engine.getPreviewPlayer().play();

    juce::AudioBuffer<float> out (2, 256);
    runCallback (engine, out);
    EXPECT_NEAR (out.getSample (0, 100), 0.7f * (0.5f + 0.25f), 1e-6f);
    EXPECT_NEAR (out.getSample (1, 100), 0.7f * (-0.5f + 0.25f), 1e-6f);
    EXPECT_EQ (engine.takePeakLevel (0), DecibelTable::toDecibels (0.525f));

    engine.getPreviewPlayer().stop();
    runCallback (engine, out);
    runCallback (engine, out);
    EXPECT_NEAR (out.getSample (0, 200), 0.35f, 1e-6f);
}

TEST (PreviewPlayer, PlaysAFileAtAnotherRateToItsEndAndStops)
{
    TestSupport::TemporaryFolder temp;
    const auto file = temp.folder.getChildFile ("p.wav");
    ASSERT_TRUE (AudioTestFiles::writeWav (file, 44100.0, 2, 4410, AudioTestFiles::constant (0.25f)));

    AudioEngine engine (freshSettings(), {});
    engine.prepareForDevice (48000.0, 256);
    auto& preview = engine.getPreviewPlayer();
    EXPECT_FALSE (preview.loadFile (temp.folder.getChildFile ("missing.wav")));
    EXPECT_FALSE (preview.hasFile());
    ASSERT_TRUE (preview.loadFile (file));
    preview.play();

    juce::AudioBuffer<float> out (2, 256);
    int blocks = 0;
    float middle = 0.0f;
    while (preview.isPlaying() && blocks < 100)
    {
        runCallback (engine, out);
        if (++blocks == 10)
            middle = out.getSample (1, 128);
    }

    // 4410 frames at 44.1 kHz last 4800 frames at 48 kHz: about 19 blocks.
    EXPECT_GE (blocks, 17);
    EXPECT_LE (blocks, 21);
    EXPECT_NEAR (middle, 0.7f * 0.25f, 0.003f);
}

TEST (AudioEngine, ConvertsTheMixToTheDevicesRate)
{
    AudioEngine engine (freshSettings(), {});
    engine.prepareForDevice (44100.0, 441);

    SampleData sample;
    sample.resize (1, 48001, 48000.0, false);
    juce::FloatVectorOperations::fill (sample.getAudio().getWritePointer (0), 0.5f, 48000);
    sample.setParameter (SampleData::end, 47999);
    engine.getSamplePlayer().loadSample (sample);
    engine.getSamplePlayer().play();

    juce::AudioBuffer<float> out (2, 441);
    for (int block = 0; block < 20; ++block)
    {
        runCallback (engine, out);
        EXPECT_GT (out.getSample (0, 440), 0.0f) << "block " << block;   // the ring never ran dry
    }
    EXPECT_NEAR (out.getSample (0, 200), 0.35f, 0.005f);
    EXPECT_NEAR (out.getSample (1, 200), 0.35f, 0.005f);
}

TEST (AudioEngine, ComesUpWithoutADeviceAndRunsOn)
{
    AudioEngine none (freshSettings(), {});
    EXPECT_EQ (none.openDevice(), "Error_AudioNotFoundDeviceType");
    EXPECT_EQ (none.getDevice(), nullptr);

    // This machine's platform types: without a sound card nothing opens;
    // either way the engine keeps rendering.
    AudioEngine engine (freshSettings(), AudioEngine::createPlatformDeviceTypes());
    EXPECT_TRUE (engine.getDeviceTypeNames().contains ("ALSA"));
    const auto key = engine.openDevice();
    if (engine.getDevice() == nullptr)
    {
        EXPECT_TRUE (key == "Error_AudioFailedToCreateAudioDevice" || key == "Error_AudioFailedToOpenAudioDevice") << key;
    }

    // A type alone opens nothing and reports nothing.
    EXPECT_EQ (engine.selectDeviceType ("ALSA"), "");
    EXPECT_EQ (engine.getDevice(), nullptr);
    EXPECT_FALSE (engine.getSettings().useDefaultDeviceType());
    EXPECT_EQ (engine.getSettings().getDeviceType(), "ALSA");
    EXPECT_FALSE (engine.getSettings().useDefaultDeviceName());
    EXPECT_EQ (engine.getSettings().getSampleRate(), 48000.0);

    juce::AudioBuffer<float> out (2, 64);
    out.clear();
    runCallback (engine, out);
    EXPECT_EQ (out.getMagnitude (0, 64), 0.0f);
}

TEST (AudioPlayerManager, PlaysTheChosenSampleInItsRange)
{
    SampleData slot = numberedSample (20, 24000.0);
    slot.setParameter (SampleData::start, 2);
    slot.setParameter (SampleData::end, 9);
    WaveSelectedStatus selection;
    selection.start = 5;
    selection.end = 8;
    selection.channelFlags[1] = 1;
    juce::StringArray messages;

    AudioPlayerManager::Hooks hooks;
    hooks.getSample = [&] (int index) { return index == 3 ? &slot : nullptr; };
    hooks.getSelection = [&] { return selection; };
    hooks.canPlay = [] { return true; };
    hooks.showMessage = [&] (const juce::String& key) { messages.add (key); };

    AudioPlayerManager manager (std::make_unique<AudioEngine> (TestSupport::SilentAudioDeviceType::settings(),
                                                               TestSupport::SilentAudioDeviceType::asDeviceTypes()),
                                hooks);
    EXPECT_TRUE (messages.isEmpty());

    manager.selectSample (3);
    manager.selectSample (40);
    EXPECT_EQ (manager.getLoadedSampleIndex(), 3);
    EXPECT_EQ (manager.getSamplePlayer().getPlayPosition(), 2);

    manager.setPlaySelection (true);
    manager.rewind();
    EXPECT_EQ (manager.getSamplePlayer().getPlayPosition(), 5);

    manager.play();
    EXPECT_TRUE (manager.isPlaying());
    manager.stop();
    EXPECT_FALSE (manager.isPlaying());
}

// Nothing renders without a device: a request must not leave a player
// playing, and the reason is told once, by the start-up when it failed.
TEST (AudioPlayerManager, WithoutADeviceNothingStaysPlayingAndTheReasonIsToldOnce)
{
    const SingletonReference<MessageEngine> engine;
    const auto wave = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("none.wav");
    SampleData slot = numberedSample (20, 48000.0);

    struct Case { bool withType; const char* expected; };
    for (auto& c : { Case { false, "Error_AudioNotFoundDeviceType" }, Case { true, "Error_AudioFailedToOpenAudioDevice" } })
    {
        juce::StringArray messages;
        AudioPlayerManager::Hooks hooks;
        hooks.getSample = [&] (int) { return &slot; };
        hooks.showMessage = [&] (const juce::String& key) { messages.add (key); };

        // With the silent type but no device chosen, the start-up opens nothing and says nothing.
        auto settings = TestSupport::SilentAudioDeviceType::settings();
        settings.setUseDefaultDeviceName (false);
        AudioPlayerManager manager (std::make_unique<AudioEngine> (settings, c.withType ? TestSupport::SilentAudioDeviceType::asDeviceTypes()
                                                                                          : juce::OwnedArray<juce::AudioIODeviceType>()),
                                    hooks);
        CommandTestSupport::BroadcastRecorder broadcasts;
        manager.selectSample (0);
        manager.play();
        manager.play();
        EXPECT_FALSE (manager.isPlaying());
        EXPECT_TRUE (broadcasts.waitFor (MessageIds::samplePlaybackStopped));
        EXPECT_FALSE (manager.playPreview (wave));
        EXPECT_FALSE (manager.getEngine().getPreviewPlayer().isPlaying());
        EXPECT_TRUE (broadcasts.waitFor (MessageIds::previewStopped));
        EXPECT_EQ (messages, juce::StringArray ({ c.expected })) << c.withType;
    }
}

TEST (AudioDeviceSettings, ReadsDefaultsAndWritesChildElementsWithValues)
{
    auto settings = freshSettings();
    EXPECT_TRUE (settings.useDefaultDeviceType());
    EXPECT_TRUE (settings.useDefaultSampleRate());
    EXPECT_EQ (settings.getDeviceName(), "");
    EXPECT_EQ (settings.getBufferSize(), 0);
    EXPECT_EQ (settings.getSampleRate(), 0.0);

    settings.setUseDefaultDeviceName (false);
    settings.setDeviceName ("hw:1");
    settings.setBufferSize (256);
    settings.setSampleRate (44100.0);

    auto xml = settings.createXml();
    EXPECT_EQ (xml->getTagName(), "AudioDeviceSettings");
    EXPECT_EQ (xml->getChildByName ("DeviceName")->getStringAttribute ("Value"), "hw:1");
    EXPECT_EQ (xml->getChildByName ("DefaultDeviceName")->getStringAttribute ("Value"), "0");
    EXPECT_EQ (xml->getChildByName ("BufferSize")->getIntAttribute ("Value"), 256);

    auto parsed = juce::parseXML ("<AudioDeviceSettings><DefaultSampleRate Value=\"0\"/>"
                                  "<SampleRate Value=\"96000.0\"/><OutputChannel Value=\"2\"/></AudioDeviceSettings>");
    AudioDeviceSettings read (*parsed);
    EXPECT_FALSE (read.useDefaultSampleRate());
    EXPECT_EQ (read.getSampleRate(), 96000.0);
    EXPECT_EQ (read.getOutputChannel(), 2);
    EXPECT_TRUE (read.useDefaultOutputChannel());
}

TEST (CRealTimeFsConverterPcmOutput, ChoosesItsEnginesByTheRates)
{
    CRealTimeFsConverterPcmOutput converter (2);
    converter.setRates (48000, 48000);
    EXPECT_FALSE (converter.needsDecimation());
    EXPECT_FALSE (converter.needsInterpolation());

    converter.setRates (48000, 44100);
    EXPECT_TRUE (converter.needsInterpolation());
    EXPECT_FALSE (converter.needsDecimation());

    converter.setRates (2822400, 176400);   // 2822400 / 16 = 176400: decimation alone
    EXPECT_TRUE (converter.needsDecimation());
    EXPECT_FALSE (converter.needsInterpolation());

    converter.setRates (5644800, 48000);
    EXPECT_TRUE (converter.needsDecimation());
    EXPECT_TRUE (converter.needsInterpolation());
}

TEST (CRealTimeFsConverterPcmOutput, KeepsTheLevelAcrossBlocks)
{
    CRealTimeFsConverterPcmOutput converter (1);
    converter.setRates (48000, 44100);
    converter.reset();

    std::vector<float> input (480, 1.0f), output ((size_t) converter.getMaxOutputFrames (480));
    float* in[1] = { input.data() };
    float* out[1] = { output.data() };
    int total = 0;
    for (int block = 0; block < 50; ++block)
    {
        std::fill (input.begin(), input.end(), 1.0f);
        const int produced = converter.process (in, out, 480);
        EXPECT_LE (produced, (int) output.size());
        total += produced;
    }
    EXPECT_NEAR (total, 50 * 441, 2);
    EXPECT_NEAR (output[200], 1.0f, 0.01f);
}

TEST (X3872AudioDeviceManager, IsASingletonHoldingNoDevice)
{
    auto* manager = X3872AudioDeviceManager::getInstance();
    ASSERT_NE (manager, nullptr);
    EXPECT_EQ (manager->getDevice(), nullptr);
    X3872AudioDeviceManager::releaseInstance();
    EXPECT_EQ (X3872AudioDeviceManager::getInstancePointer(), nullptr);
}

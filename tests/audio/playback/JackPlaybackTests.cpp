#include "TestSupport.h"
#include "audio/AudioTestFiles.h"
#include "support/CommandTestBench.h"
#include "support/JackTestServer.h"

#include "app/MessageIds.h"
#include "audio/playback/AudioEngine.h"

#include <gtest/gtest.h>

namespace
{
// The engine on the JACK server's "system" device.
struct JackPlaybackTest : ::testing::Test
{
    JackTestServer server;
    SingletonReference<MessageEngine> messages;
    std::unique_ptr<AudioEngine> engine;

    void SetUp() override
    {
        PLOVARA_REQUIRE_JACK (server)

        juce::OwnedArray<juce::AudioIODeviceType> types;
        types.add (JackTestServer::createDeviceType().release());
        engine = std::make_unique<AudioEngine> (AudioDeviceSettings (juce::XmlElement (AudioDeviceSettings::elementName)),
                                                std::move (types));
        ASSERT_EQ (engine->selectDeviceType ("JACK"), "");
        ASSERT_EQ (engine->selectDevice ("system"), "");
        ASSERT_NE (engine->getDevice(), nullptr);
        ASSERT_TRUE (engine->getDevice()->isPlaying());
    }

    // Loads the file and plays it until it ends by itself.
    void previewToTheEnd (const juce::File& file)
    {
        CommandTestSupport::BroadcastRecorder recorder;
        auto& preview = engine->getPreviewPlayer();
        ASSERT_TRUE (preview.loadFile (file)) << file.getFileName();
        preview.play();

        EXPECT_TRUE (recorder.waitFor (MessageIds::previewStarted)) << file.getFileName();
        EXPECT_TRUE (recorder.waitFor (MessageIds::previewStopped)) << file.getFileName();
        EXPECT_FALSE (preview.isPlaying()) << file.getFileName();
    }
};
}

TEST_F (JackPlaybackTest, ASamplePlaysToItsEndAndSaysSo)
{
    CommandTestSupport::BroadcastRecorder recorder;
    SampleData sample;
    CommandTestSupport::fillSample (sample, 4800);
    sample.setParameter (SampleData::end, 4798);
    sample.setParameter (SampleData::loop, 0);
    auto& player = engine->getSamplePlayer();
    ASSERT_TRUE (player.loadSample (sample));

    player.play();
    ASSERT_TRUE (recorder.waitFor (MessageIds::samplePlaybackStopped));
    EXPECT_FALSE (player.isPlaying());
}

TEST_F (JackPlaybackTest, WavAndFlacPreviewsPlayAndStop)
{
    TestSupport::TemporaryFolder temp;
    const auto wav = temp.folder.getChildFile ("preview.wav");
    const auto flac = temp.folder.getChildFile ("preview.flac");
    ASSERT_TRUE (AudioTestFiles::writeWav (wav, 44100.0, 2, 4410, AudioTestFiles::sine (440.0, 44100.0)));
    ASSERT_TRUE (AudioTestFiles::write (flac, juce::FlacAudioFormat(), 48000.0, 1, 4800, AudioTestFiles::sine (440.0, 48000.0)));

    previewToTheEnd (wav);
    previewToTheEnd (flac);
}

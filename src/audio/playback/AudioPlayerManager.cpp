#include "audio/playback/AudioPlayerManager.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"

AudioPlayerManager::AudioPlayerManager (std::unique_ptr<AudioEngine> audioEngine, Hooks playerHooks)
    : engine (std::move (audioEngine)), hooks (std::move (playerHooks))
{
    openingFailure = engine->openDevice();
    if (openingFailure.isNotEmpty() && hooks.showMessage)
    {
        hooks.showMessage (openingFailure);
        noDeviceReported = true;
    }
}

void AudioPlayerManager::selectSample (int index)
{
    if (index >= 0 && index < SampleSet::numSamples)
        load (index);
}

void AudioPlayerManager::reloadSample (int index)
{
    if (index == loadedIndex)
        load (index);
}

void AudioPlayerManager::load (int index)
{
    loadedIndex = index;
    if (auto* sample = hooks.getSample ? hooks.getSample (index) : nullptr)
        getSamplePlayer().loadSample (*sample);
}

void AudioPlayerManager::play()
{
    if (hooks.canPlay && ! hooks.canPlay())
        return;

    if (hasDevice())
        getSamplePlayer().play();
    else
        refuseWithoutDevice (MessageIds::samplePlaybackStopped);
}

bool AudioPlayerManager::playPreview (const juce::File& file)
{
    auto& preview = engine->getPreviewPlayer();

    if (! hasDevice())
    {
        refuseWithoutDevice (MessageIds::previewStopped);
        return false;
    }

    if (! preview.loadFile (file))
        return false;

    preview.play();
    return true;
}

void AudioPlayerManager::stopPreview()
{
    engine->getPreviewPlayer().stop();
}

void AudioPlayerManager::refuseWithoutDevice (int stoppedMessageId)
{
    MessageEngine::broadcast (stoppedMessageId);

    if (noDeviceReported || ! hooks.showMessage)
        return;

    noDeviceReported = true;
    hooks.showMessage (openingFailure.isNotEmpty() ? openingFailure : juce::String ("Error_AudioFailedToOpenAudioDevice"));
}

void AudioPlayerManager::stop()
{
    getSamplePlayer().stop();
    getSamplePlayer().rewind();
}

void AudioPlayerManager::rewind()
{
    getSamplePlayer().rewind();
}

void AudioPlayerManager::setPlaySelection (bool on)
{
    playSelection = on;
    updateSelection();
}

void AudioPlayerManager::updateSelection()
{
    const auto selection = hooks.getSelection ? hooks.getSelection() : WaveSelectedStatus {};
    const bool useSelection = playSelection && (selection.channelFlags[0] != 0 || selection.channelFlags[1] != 0);

    getSamplePlayer().setSelectionMode (useSelection, selection.start, selection.end);
}

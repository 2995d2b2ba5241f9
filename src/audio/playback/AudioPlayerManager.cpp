#include "audio/playback/AudioPlayerManager.h"

AudioPlayerManager::AudioPlayerManager (std::unique_ptr<AudioEngine> audioEngine, Hooks playerHooks)
    : engine (std::move (audioEngine)), hooks (std::move (playerHooks))
{
    const auto error = engine->openDevice();
    if (error.isNotEmpty() && hooks.showMessage)
        hooks.showMessage (error);
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
    if (! hooks.canPlay || hooks.canPlay())
        getSamplePlayer().play();
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

#pragma once

#include "app/WaveSelection.h"
#include "audio/playback/AudioEngine.h"

#include <functional>
#include <memory>

// Plays the current sample of the sample page through the engine, which it
// owns. What it needs from the rest of the program comes through hooks.
class AudioPlayerManager
{
public:
    struct Hooks
    {
        // The sample in a slot of the edit bank (0 to 35).
        std::function<const SampleData* (int index)> getSample;
        // The waveform editor's selection.
        std::function<WaveSelectedStatus()> getSelection;
        // True while the sample page shows its waveform editor.
        std::function<bool()> canPlay;
        // Shows the message of a key.
        std::function<void (const juce::String& messageKey)> showMessage;
    };

    // Opens the device at once and shows the message of a failure.
    AudioPlayerManager (std::unique_ptr<AudioEngine> engine, Hooks hooks);

    AudioEngine& getEngine() { return *engine; }
    SamplePlayer& getSamplePlayer() { return engine->getSamplePlayer(); }

    // 0 to 35; other indices are ignored.
    void selectSample (int index);
    void reloadSample (int index);
    int getLoadedSampleIndex() const { return loadedIndex; }

    // Without an open device nothing would ever render the sound: the
    // request ends at once (message 22) and the first such request of the
    // run shows why, unless the start-up already did.
    void play();
    void stop();

    // The file browser's audition of a file, ended the same way without a
    // device (message 24). False when nothing plays.
    bool playPreview (const juce::File& file);
    void stopPreview();
    void rewind();
    bool isPlaying() const { return engine->getSamplePlayer().isPlaying(); }

    // The preference "AudioPlaySelection": play the selection rather than the
    // range between the start and end points.
    void setPlaySelection (bool on);
    void updateSelection();

private:
    void load (int index);
    bool hasDevice() const { return engine->getDevice() != nullptr; }
    void refuseWithoutDevice (int stoppedMessageId);

    std::unique_ptr<AudioEngine> engine;
    Hooks hooks;
    int loadedIndex = 0;
    bool playSelection = false;
    juce::String openingFailure;
    bool noDeviceReported = false;
};

#pragma once

#include "gui/sample/DraggableKeyboard.h"
#include "gui/widgets/BlinkImageButton.h"
#include "gui/widgets/OnOffButton.h"

#include <juce_audio_utils/juce_audio_utils.h>

class CommandContext;

// The strip at the top of the sample page, 560 × 101: a three-octave
// keyboard with one key per sample (note 60 is sample 0), the buttons that
// receive the selected sample from the device and transmit it, and the
// bank's audio-in-thru-FX switch. A click on a key selects its sample;
// keys dragged onto keys copy (with Ctrl) or swap samples, and files
// dropped on a key are loaded into its slot.
class SampleSelectComponent : public juce::Component,
                              public juce::MessageListener,
                              private juce::MidiKeyboardState::Listener,
                              private DraggableKeyboardModel
{
public:
    static constexpr int stripWidth = 560;
    static constexpr int stripHeight = 101;
    static constexpr int firstNote = 60;
    // The strip's message to itself after a key was clicked, with the
    // sample's index.
    static constexpr int keyClickedMessageId = 19;

    // Both must outlive the strip. Listens to the message engine.
    SampleSelectComponent (CommandContext& context, juce::ApplicationCommandManager& commandManager);
    ~SampleSelectComponent() override;

    // Message 1: the selected sample's key held, the switch and the blink.
    void refresh();
    void updateTransmitBlink();

    // Sample `index` becomes the current one on the sample page; auto play
    // follows.
    void selectSample (int index);

    // The name of a key with its octave: note 60, sample 0, is "C3".
    static juce::String keyName (int note);

    // The text a dragged key shows: "C3 : NAME".
    juce::String dragText (int note) const;

    DraggableKeyboard& getKeyboard() { return keyboard; }

    void paint (juce::Graphics&) override;
    void resized() override;
    void handleMessage (const juce::Message&) override;

    // DraggableKeyboardModel
    bool shouldStartDrag (const juce::MouseEvent& event) override;
    juce::Image createDragImage (int note) override;
    juce::String getDragDescription (int) override { return {}; }
    void keyDropped (int sourceNote, int targetNote) override;
    void fileDropped (const juce::var& description, juce::Component* source, int targetNote) override;

private:
    class KeyClickMessage;

    void handleNoteOn (juce::MidiKeyboardState*, int channel, int note, float velocity) override;
    void handleNoteOff (juce::MidiKeyboardState*, int, int, float) override {}

    void setUpKeyboard();
    void toggleAudioInThruFx();
    void autoPlay();
    int getSelectedSample() const;

    CommandContext& context;
    juce::ApplicationCommandManager& commandManager;
    juce::MidiKeyboardState keyboardState;
    juce::ImageButton receiveButton { "Receive" };
    BlinkImageButton transmitButton { "Transmit" };
    DraggableKeyboard keyboard { keyboardState, *this };
    OnOffButton audioInThruFxButton { "AudioInThruFx" };
};

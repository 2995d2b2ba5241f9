#pragma once

#include "gui/sample/SampleImageButton.h"
#include "gui/sample/SampleParameterKnob.h"
#include "gui/widgets/ImageToggleButton.h"
#include "gui/widgets/OnOffButton.h"
#include "history/TransactionCoalescer.h"

#include <juce_gui_basics/juce_gui_basics.h>

class CommandContext;
class SampleData;

// The panel under the sample keyboard, 560 × 123: the selected sample's key
// and name, its seven playback knobs and three switches, the BPM sync mode,
// LOAD and DELETE, and the switch that shows the waveform editor. Every
// edit is undoable; a quick run of knob and switch edits is one undo step.
class SampleParameterEditComponent : public juce::Component,
                                     public juce::MessageListener,
                                     private ParameterKnobListener
{
public:
    static constexpr int panelWidth = 560;
    static constexpr int panelHeight = 123;

    // Both must outlive the panel. Listens to the message engine.
    SampleParameterEditComponent (CommandContext& context, juce::ApplicationCommandManager& commandManager);
    ~SampleParameterEditComponent() override;

    // Messages 1 and 17: everything shows the selected sample.
    void refresh();

    // The knob of a sample parameter id; null for an id without one.
    SampleParameterKnob* getKnob (int parameterId) const;

    // What joins knob edits into one undo step; its timer ticks by itself.
    TransactionCoalescer& getCoalescer() { return coalescer; }

    void paint (juce::Graphics&) override;
    void resized() override;
    void handleMessage (const juce::Message&) override;

private:
    struct SyncButton
    {
        ImageToggleButton& button;
        int mode;
    };

    void addKnobs();
    void addParameterButtons();
    void setUpSyncButton (ImageToggleButton& button, const juce::String& text, const juce::String& imagePrefix, int mode);
    void setUpLabels();
    void setUpWaveformEditorSwitch();

    void parameterKnobChanged (ParameterKnob& knob) override;
    void parameterButtonClicked (OnOffButton& button);
    void sampleNameEdited();
    void toggleWaveformEditor();
    void takeKnobMode();

    // Records the edit of the selected sample, coalesced with the edits
    // just before it; false when there is no sample to edit.
    bool editParameter (int parameterId, int value);
    SampleData* getSelectedSample() const;
    int getSelectedIndex() const;
    bool isWaveformEditorShown() const;
    static void setToggle (ImageToggleButton& button, bool on);

    CommandContext& context;
    juce::ApplicationCommandManager& commandManager;
    TransactionCoalescer coalescer;

    juce::Label keyNameLabel { "KeyName" };
    juce::Label sampleNameLabel { "SampleName" };
    ImageToggleButton waveformEditorSwitch { "WaveEditor" };
    SampleImageButton loadButton, deleteButton;
    ImageToggleButton pitchShiftButton { "PitchShift" }, timeStretchButton { "TimeStretch" }, syncOffButton { "SyncOff" };
    const SyncButton syncButtons[3] { { pitchShiftButton, 2 }, { timeStretchButton, 1 }, { syncOffButton, 0 } };

    // In the order Semitone, Tune, Level, Pan, VeloInt, Decay, Release.
    juce::OwnedArray<SampleParameterKnob> knobs;
    // Loop, Reverse and Fx SW.
    juce::OwnedArray<OnOffButton> parameterButtons;
};

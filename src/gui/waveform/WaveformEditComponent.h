#pragma once

#include "gui/waveform/PeakMeterBar.h"
#include "gui/waveform/WaveGraphComponent.h"
#include "gui/waveform/WaveformEditLookAndFeel.h"
#include "gui/widgets/ImageToggleButton.h"
#include "history/TransactionCoalescer.h"

#include <juce_gui_basics/juce_gui_basics.h>

class CommandContext;
class PreferencesData;

// The waveform editor under the sample page's parameters: the graph of the
// selected sample, PLAY, the SELECT, EDIT and PROCESS menus of the wave
// commands, the play-selection, auto-play and auto-scroll switches, the
// start, end and original-tempo sliders, the file name and rate, and the
// two level meters. Refreshes on message 1; follows playback on messages
// 21 and 22. 560 × 400 at creation; the page sets the height.
class WaveformEditComponent : public juce::Component,
                              public juce::MessageListener,
                              private juce::Timer
{
public:
    static constexpr int editorWidth = 560;
    static constexpr int initialHeight = 400;
    static constexpr int meterTickMs = 50;

    // All three must outlive the editor.
    WaveformEditComponent (CommandContext& context, juce::ApplicationCommandManager& commands,
                           PreferencesData& preferences);
    ~WaveformEditComponent() override;

    void refresh();

    WaveGraphComponent& getGraph() { return graph; }

    // The entries of the SELECT, EDIT and PROCESS menus, built from the
    // command manager.
    juce::PopupMenu createSelectMenu() const;
    juce::PopupMenu createEditMenu() const;
    juce::PopupMenu createProcessMenu() const;

    // What the timer does: reads (and so resets) the player's peaks.
    void updateMeters();

    void paint (juce::Graphics&) override;
    void resized() override;
    void handleMessage (const juce::Message&) override;

private:
    void timerCallback() override { updateMeters(); }
    void setUpMenuButton (juce::ImageButton& button, const juce::String& image, std::function<juce::PopupMenu()> menu);
    void setUpSwitch (ImageToggleButton& button, int preferenceFlag);
    void setUpSlider (juce::Slider& slider, int textBoxWidth);
    void setUpLabels();
    void switchClicked (ImageToggleButton& button, int preferenceFlag);
    void pointSliderChanged (int parameter);
    void editParameter (int parameter, int value);
    void refreshSliders (const SampleData& sample);
    const SampleData* selectedSample() const;
    juce::PopupMenu commandMenu (std::initializer_list<int> commandIds) const;
    static void setToggle (ImageToggleButton& button, bool on);

    CommandContext& context;
    juce::ApplicationCommandManager& commandManager;
    PreferencesData& preferences;
    TransactionCoalescer coalescer;
    WaveformEditLookAndFeel sliderLook;

    WaveGraphComponent graph;
    ImageToggleButton playButton { "PLAY" };
    juce::ImageButton selectButton { "SELECT" }, editButton { "EDIT" }, processButton { "PROCESS" };
    ImageToggleButton playSelectionSwitch { "PlaySelection" }, autoPlaySwitch { "AutoPlay" }, autoScrollSwitch { "AutoScroll" };
    juce::Slider startSlider { "start" }, endSlider { "end" }, tempoSlider { "original BPM" };
    juce::Label fileNameLabel { "FileName" }, rateLabel { "sampling rate" };
    PeakMeterBar leftMeter { "level L" }, rightMeter { "level R" };
};

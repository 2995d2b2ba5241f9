#pragma once

#include "data/SampleData.h"
#include "gui/waveform/WaveOperationComponent.h"
#include "gui/waveform/WaveRangeComponent.h"
#include "gui/waveform/WaveStereoGraphComponent.h"
#include "history/TransactionCoalescer.h"

#include <juce_gui_basics/juce_gui_basics.h>

class CommandContext;
class PreferencesData;

// The waveform of the selected sample with its selection layer, marker
// strip, scroll bar and zoom buttons. Selection and view live in the
// context, so they outlast the graph; the graph shows them and turns what
// the user does into changes of them and into undoable edits of the start
// and end points. Refreshes on message 1. The mouse wheel zooms around the
// pointer; with Shift it scrolls.
class WaveGraphComponent : public juce::Component,
                           public juce::MessageListener,
                           public WaveGraphBase,
                           public WaveGraphListener,
                           private juce::Timer,
                           private juce::ScrollBar::Listener,
                           private juce::Button::Listener
{
public:
    static constexpr int markerStripHeight = WaveRangeComponent::stripHeight;
    static constexpr int scrollBarHeight = 17;
    static constexpr int playCursorTickMs = 50;
    // Doubling further would overflow the frame arithmetic; long before
    // that one pixel covers the longest sample.
    static constexpr int maximumScale = 1 << 30;

    // Both must outlive the graph.
    WaveGraphComponent (CommandContext& context, PreferencesData& preferences);
    ~WaveGraphComponent() override;

    void refresh();

    void setAutoScroll (bool on) { autoScroll = on; }
    bool isAutoScrollOn() const { return autoScroll; }

    void zoomOut();
    void zoomIn();

    // Moves the play cursor to the player's position and, while playing with
    // auto scroll on, centres the view on it.
    void updatePlayCursor();

    WaveStereoGraphComponent& getLanes() { return lanes; }
    WaveOperationComponent& getSelectionLayer() { return selectionLayer; }
    WaveRangeComponent& getMarkerStrip() { return markerStrip; }
    juce::ScrollBar& getScrollBar() { return scrollBar; }

    // WaveGraphListener
    void selectionChanged (const WaveSelectedStatus& selection) override;
    void playPositionChanged (int frame) override;
    void rangeChanged (int startFrame, int endFrame) override;
    void viewChanged (const WaveGraphViewInfo& view) override;

    void resized() override;
    void handleMessage (const juce::Message&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;

private:
    void timerCallback() override;
    void scrollBarMoved (juce::ScrollBar*, double newRangeStart) override;
    void buttonClicked (juce::Button*) override;

    const SampleData* selectedSample() const;
    int selectedSampleIndex() const;
    bool copySelectedSample();
    void applyView (const WaveGraphViewInfo& view);
    // Keeps the view in the context, writes the scale to the preferences and
    // applies it.
    void changeView (const WaveGraphViewInfo& view);
    void updateScrollBar();
    void zoomAround (int laneX, int newScale);
    int visibleFrames() const;
    void setUpZoomButton (juce::ImageButton& button, const juce::String& image);

    CommandContext& context;
    PreferencesData& preferences;
    TransactionCoalescer coalescer;
    SampleData shownSample;
    WaveSelectedStatus shownSelection;
    bool autoScroll = true;

    WaveStereoGraphComponent lanes;
    WaveOperationComponent selectionLayer;
    WaveRangeComponent markerStrip;
    juce::ScrollBar scrollBar { false };
    juce::ImageButton zoomOutButton { "ZoomPlus" }, zoomInButton { "ZoomMinus" };
};

#pragma once

#include "gui/waveform/WaveGraphBase.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The strip above the lanes with the start and end markers. Dragging a
// marker reports the new points after the current event; the end always
// stays after the start. Dragging beyond the left or right edge scrolls the
// view every 50 ms. With Shift held a dragged marker snaps to the nearest
// zero crossing, when the graph provides one.
class WaveRangeComponent : public juce::Component,
                           public WaveGraphBase,
                           private juce::Timer,
                           private juce::AsyncUpdater
{
public:
    static constexpr int stripHeight = 15;
    static constexpr int grabPixels = 5;
    static constexpr int textGap = 5;

    enum Marker { noMarker = 0, startMarker = 1, endMarker = 2 };

    // The frame a marker snaps to from a frame.
    using Snap = std::function<int (int frame)>;

    WaveRangeComponent();
    ~WaveRangeComponent() override;

    void setPoints (int startFrame, int endFrame);
    void setLimit (int limit);
    void setSnap (Snap snapToZeroCrossing) { snap = std::move (snapToZeroCrossing); }
    void setViewInfo (const WaveGraphViewInfo& view) override;

    Marker markerAt (int x) const;

    void paint (juce::Graphics&) override;
    void mouseMove (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

    // One tick of scrolling while dragging beyond an edge.
    void scrollForOvershoot();

private:
    void timerCallback() override { scrollForOvershoot(); }
    void handleAsyncUpdate() override;
    void paintMarker (juce::Graphics&, int x, const juce::String& text, bool isStart) const;
    static juce::String markerText (const juce::String& key, const juce::String& fallback);

    int startPoint = 0, endPoint = 0;
    int limit = 0;
    Snap snap;

    bool pressed = false;
    Marker grabbed = noMarker;
    int leftOvershoot = 0, rightOvershoot = 0;

    struct PendingRange
    {
        int start = 0, end = 0;
        bool due = false;
    } pendingRange;

    struct PendingView
    {
        WaveGraphViewInfo view;
        bool due = false;
    } pendingView;
};

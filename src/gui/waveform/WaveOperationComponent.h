#pragma once

#include "gui/waveform/WaveGraphBase.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The layer over the lanes where the user selects: dragging selects frames
// in the channel row under the mouse (the top 3/11 channel 0, the bottom
// 3/11 channel 1, between them both), the selection's edges can be dragged,
// a click clears the selection or, without one, moves the play position.
// Dragging beyond the left or right edge scrolls the view every 50 ms.
class WaveOperationComponent : public juce::Component,
                               public WaveGraphBase,
                               private juce::Timer
{
public:
    static constexpr juce::uint32 selectionColour = 0x800088ff;
    static constexpr juce::uint32 playCursorColour = 0xa0ffffff;
    static constexpr int edgeGrabPixels = 5;
    static constexpr int overshootTickMs = 50;

    WaveOperationComponent();
    ~WaveOperationComponent() override;

    void setSelection (const WaveSelectedStatus& selection);
    const WaveSelectedStatus& getSelection() const { return selection; }

    // limit is the last selectable frame + 1 (0 for a sample of at most one
    // frame).
    void setLimit (int limit, int channelCount);
    void setPlayPosition (int frame);
    int getPlayPosition() const { return playPosition; }
    void setViewInfo (const WaveGraphViewInfo& view) override;

    void paint (juce::Graphics&) override;
    void mouseMove (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

    // One tick of scrolling while dragging beyond an edge.
    void scrollForOvershoot();

private:
    enum Edge { noEdge = 0, startEdge = 1, endEdge = 2 };

    struct Row
    {
        bool channel0, channel1;
    };

    Row rowAt (int y) const;
    Edge edgeAt (juce::Point<int> position) const;
    void timerCallback() override { scrollForOvershoot(); }
    void resetDrag();

    int playPosition = 0;
    WaveSelectedStatus selection;
    int limit = 0;
    int channels = 1;

    bool pressed = false, moved = false;
    int anchor = 0, moving = 0;
    Edge edge = noEdge;
    int leftOvershoot = 0, rightOvershoot = 0;
};

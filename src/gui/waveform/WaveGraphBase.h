#pragma once

#include "app/WaveSelection.h"
#include "gui/waveform/WaveGraphListener.h"

#include <juce_core/juce_core.h>

#include <algorithm>
#include <vector>

// What every part of the waveform graph shares: the view it draws (first
// frame at the left edge, frames per pixel) and the listeners it reports to.
class WaveGraphBase
{
public:
    virtual ~WaveGraphBase() = default;

    virtual void setViewInfo (const WaveGraphViewInfo& view) { viewInfo = view; }
    virtual WaveGraphViewInfo getViewInfo() const { return viewInfo; }

    // Not owned; a listener must be removed before it is deleted.
    void addWaveGraphListener (WaveGraphListener* listener) { listeners.push_back (listener); }
    void removeWaveGraphListener (WaveGraphListener* listener)
    {
        listeners.erase (std::remove (listeners.begin(), listeners.end(), listener), listeners.end());
    }

protected:
    // The frame under pixel column x, held to 0 … limit − 1 (0 for an empty
    // limit).
    int frameAtPixel (int x, int limit) const
    {
        const auto frame = (juce::int64) x * viewInfo.scale + viewInfo.offset;
        return (int) juce::jlimit<juce::int64> (0, juce::jmax (0, limit - 1), frame);
    }

    // The pixel column of a frame; left of the view it is negative.
    int pixelOfFrame (int frame) const { return (frame - viewInfo.offset) / viewInfo.scale; }

    // The view offset after one tick of dragging beyond an edge: overshoot
    // pixels to the left or right move the view, up to the last offset
    // that still shows frames (limit − scale × visibleWidth).
    static int offsetAfterOvershoot (const WaveGraphViewInfo& view, int leftOvershoot, int rightOvershoot,
                                     int limit, int visibleWidth)
    {
        const juce::int64 scale = view.scale;
        if (leftOvershoot > 0)
            return (int) juce::jmax<juce::int64> (view.offset - leftOvershoot * scale, 0);
        if (rightOvershoot > 0)
            return (int) juce::jmax<juce::int64> (juce::jmin<juce::int64> (view.offset + rightOvershoot * scale,
                                                                          limit - scale * visibleWidth), 0);
        return view.offset;
    }

    // Listeners are added once and stay while the graph lives.
    template <typename Call>
    void callListeners (Call&& call) const
    {
        for (auto* listener : listeners)
            call (*listener);
    }

    WaveGraphViewInfo viewInfo;

private:
    std::vector<WaveGraphListener*> listeners;
};

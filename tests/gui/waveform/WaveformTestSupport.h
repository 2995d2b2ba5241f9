#pragma once

#include "data/SampleData.h"
#include "gui/waveform/WaveGraphListener.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

namespace WaveformTestSupport
{
    // A mouse event of the left button at a position of the component.
    inline juce::MouseEvent leftMouse (juce::Component& c, juce::Point<int> position,
                                       juce::ModifierKeys extra = {}, bool dragged = false)
    {
        const auto now = juce::Time::getCurrentTime();
        const auto at = position.toFloat();
        const auto mods = extra.withFlags (juce::ModifierKeys::leftButtonModifier);
        return { juce::Desktop::getInstance().getMainMouseSource(), at, mods, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                 &c, &c, now, at, now, 1, dragged };
    }

    inline void click (juce::Component& c, juce::Point<int> at)
    {
        c.mouseDown (leftMouse (c, at));
        c.mouseUp (leftMouse (c, at));
    }

    inline void drag (juce::Component& c, juce::Point<int> from, juce::Point<int> to, juce::ModifierKeys mods = {})
    {
        c.mouseDown (leftMouse (c, from, mods));
        c.mouseDrag (leftMouse (c, to, mods, true));
        c.mouseUp (leftMouse (c, to, mods, true));
    }

    // Sets every frame of each channel from a list of values, one per frame.
    inline void fillFrames (SampleData& sample, const std::vector<std::vector<float>>& channels)
    {
        sample.resize ((int) channels.size(), (int) channels[0].size(), 48000.0, false);
        for (size_t c = 0; c < channels.size(); ++c)
            for (size_t i = 0; i < channels[c].size(); ++i)
                sample.getAudio().setSample ((int) c, (int) i, channels[c][i]);
    }

    // What the parts of the graph report.
    struct RecordingListener : WaveGraphListener
    {
        void selectionChanged (const WaveSelectedStatus& s) override { selections.push_back (s); }
        void playPositionChanged (int frame) override { playPositions.push_back (frame); }
        void rangeChanged (int start, int end) override { ranges.push_back ({ start, end }); }
        void viewChanged (const WaveGraphViewInfo& view) override { views.push_back (view); }

        std::vector<WaveSelectedStatus> selections;
        std::vector<int> playPositions;
        std::vector<std::pair<int, int>> ranges;
        std::vector<WaveGraphViewInfo> views;
    };
}

#pragma once

#include "gui/waveform/WaveGraphBase.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

class SampleData;

// One channel of the waveform: a column per pixel from the view's offset on,
// each spanning the minimum and maximum of its frames (and the centre line),
// bright between the start and end points and dim outside. The lane paints a
// cached image and redraws it only after a resize, a new view, new audio or
// new points. From peakCacheScale frames per pixel on, the columns come from
// a table of block peaks built once per scale, audio and size.
class WaveMonoGraphComponent : public juce::Component,
                               public WaveGraphBase
{
public:
    static constexpr int peakCacheScale = 256;
    static constexpr juce::uint32 backgroundColour = 0xff000000;
    static constexpr juce::uint32 dimColour = 0x60ffb400;
    static constexpr juce::uint32 brightColour = 0xffffb400;

    explicit WaveMonoGraphComponent (int channel);

    // Not owned; null for none. Call again after the audio changed.
    void setSample (const SampleData* sample);
    void setPoints (int startFrame, int endFrame);
    void setViewInfo (const WaveGraphViewInfo& view) override;

    void paint (juce::Graphics&) override;
    void resized() override;

    // The span of one pixel column in rows above the centre: lo ≤ 0 ≤ hi,
    // and never empty.
    struct ColumnPeak
    {
        int lo, hi;
    };

private:
    void markDirty (bool peakCacheToo);
    void redrawImage();
    void drawColumns (juce::Graphics&, int width, int centre);
    ColumnPeak peakOfFrames (int firstFrame, int frameCount, int centre) const;
    void rebuildPeakCache (int centre);
    bool usesPeakCache() const { return viewInfo.scale >= peakCacheScale; }
    int lastDrawnFrame() const;

    const int channel;
    const SampleData* sample = nullptr;
    int startPoint = 0, endPoint = 0;

    // Image and cache are rebuilt on resize while a paint may be pending.
    juce::CriticalSection lock;
    juce::Image image;
    bool dirty = true;
    std::vector<ColumnPeak> peakCache;
    bool peakCacheValid = false;
};

#include "data/AudioBuffer.h"
#include "data/SampleData.h"
#include "gui/waveform/WaveStereoGraphComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <benchmark/benchmark.h>

#include <cmath>

// Goals: every repaint of the lanes within 16 ms, a rebuild of the peak
// table within 50 ms, for the largest sample the device holds.
namespace
{
constexpr int largestStereoFrames = 3833856;
constexpr int laneWidth = 513, laneHeight = 263;   // the graph of a 400-pixel editor

struct LargestSample
{
    LargestSample()
    {
        sample.resize (2, largestStereoFrames, 48000.0, false);
        for (int channel = 0; channel < 2; ++channel)
        {
            auto* samples = sample.getAudio().getWritePointer (channel);
            for (int i = 0; i < largestStereoFrames; ++i)
                samples[i] = 0.8f * (float) std::sin (i * (0.01 + 0.002 * channel)) * (float) ((i % 48000) / 48000.0);
        }
    }

    ~LargestSample() { AudioBufferIdManager::releaseInstance(); }

    AudioBufferIdManager* ids = AudioBufferIdManager::getInstance();
    SampleData sample;
};

struct Lanes
{
    explicit Lanes (const SampleData& sample)
    {
        lanes.setBounds (0, 0, laneWidth, laneHeight);
        lanes.setSample (&sample);
        lanes.setPoints (sample.getNumFrames() / 4, sample.getNumFrames() / 2);
    }

    void paint()
    {
        juce::Graphics g (target);
        lanes.paintEntireComponent (g, false);
    }

    WaveStereoGraphComponent lanes;
    juce::Image target { juce::Image::RGB, laneWidth, laneHeight, true };
};

LargestSample& largestSample()
{
    static LargestSample instance;
    return instance;
}

// Warm: the view moves by one column each time, so the image is drawn
// anew from the peak table; cold: the table is built anew too.
void BM_LaneRepaint (benchmark::State& state, bool cold)
{
    const auto& sample = largestSample().sample;
    Lanes lanes (sample);
    const int scale = (int) state.range (0);
    lanes.lanes.setViewInfo ({ 0, scale });
    lanes.paint();

    int step = 0;
    for (auto _ : state)
    {
        if (cold)
            lanes.lanes.setSample (&sample);
        lanes.lanes.setViewInfo ({ (++step & 1) * scale, scale });
        lanes.paint();
    }
}

void BM_LaneRepaintWarm (benchmark::State& state) { BM_LaneRepaint (state, false); }
void BM_LaneRepaintCold (benchmark::State& state) { BM_LaneRepaint (state, true); }

// Nothing changed: the cached images only.
void BM_LaneRepaintFromCachedImage (benchmark::State& state)
{
    Lanes lanes (largestSample().sample);
    lanes.lanes.setViewInfo ({ 0, (int) state.range (0) });
    lanes.paint();

    for (auto _ : state)
        lanes.paint();
}

// From 1 frame per pixel out to 65536 and back in, one repaint per step;
// the time is per sweep of 33 repaints.
void BM_ZoomSweep (benchmark::State& state)
{
    Lanes lanes (largestSample().sample);

    for (auto _ : state)
    {
        for (int scale = 1; scale <= 65536; scale *= 2)
        {
            lanes.lanes.setViewInfo ({ 0, scale });
            lanes.paint();
        }
        for (int scale = 32768; scale >= 1; scale /= 2)
        {
            lanes.lanes.setViewInfo ({ 0, scale });
            lanes.paint();
        }
    }
}
}

BENCHMARK (BM_LaneRepaintWarm)->Arg (1)->Arg (64)->Arg (256)->Arg (65536)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_LaneRepaintCold)->Arg (1)->Arg (64)->Arg (256)->Arg (65536)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_LaneRepaintFromCachedImage)->Arg (256)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_ZoomSweep)->Unit (benchmark::kMillisecond);

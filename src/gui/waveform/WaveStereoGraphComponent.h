#pragma once

#include "gui/waveform/WaveMonoGraphComponent.h"

#include <memory>

// The lanes of the waveform: one for a mono sample, two stacked (channel 0
// on top, half the height each) for a stereo one.
class WaveStereoGraphComponent : public juce::Component,
                                 public WaveGraphBase
{
public:
    WaveStereoGraphComponent();
    ~WaveStereoGraphComponent() override;

    // Not owned. Makes the lanes anew for the sample's channel count; call
    // again after the audio changed.
    void setSample (const SampleData* sample);
    void setPoints (int startFrame, int endFrame);
    void setViewInfo (const WaveGraphViewInfo& view) override;

    int getNumLanes() const;
    WaveMonoGraphComponent* getLane (int index) const;

    void resized() override;

private:
    const SampleData* sample = nullptr;
    std::unique_ptr<WaveMonoGraphComponent> lanes[2];
    int startPoint = 0, endPoint = 0;
};

#include "gui/waveform/WaveStereoGraphComponent.h"

#include "data/SampleData.h"

WaveStereoGraphComponent::WaveStereoGraphComponent()
{
    setInterceptsMouseClicks (false, false);
    setSample (nullptr);
}

WaveStereoGraphComponent::~WaveStereoGraphComponent() = default;

void WaveStereoGraphComponent::setSample (const SampleData* newSample)
{
    sample = newSample;
    const int laneCount = sample != nullptr && sample->getNumChannels() > 1 ? 2 : 1;

    for (int channel = 0; channel < 2; ++channel)
    {
        auto& lane = lanes[channel];
        if (channel >= laneCount)
        {
            lane.reset();
            continue;
        }

        if (lane == nullptr)
        {
            lane = std::make_unique<WaveMonoGraphComponent> (channel);
            addAndMakeVisible (*lane);
        }
        lane->setViewInfo (viewInfo);
        lane->setPoints (startPoint, endPoint);
        lane->setSample (sample);
    }
    resized();
}

void WaveStereoGraphComponent::setPoints (int startFrame, int endFrame)
{
    startPoint = startFrame;
    endPoint = endFrame;
    for (auto& lane : lanes)
        if (lane != nullptr)
            lane->setPoints (startFrame, endFrame);
}

void WaveStereoGraphComponent::setViewInfo (const WaveGraphViewInfo& view)
{
    WaveGraphBase::setViewInfo (view);
    for (auto& lane : lanes)
        if (lane != nullptr)
            lane->setViewInfo (view);
}

int WaveStereoGraphComponent::getNumLanes() const
{
    return lanes[1] != nullptr ? 2 : 1;
}

WaveMonoGraphComponent* WaveStereoGraphComponent::getLane (int index) const
{
    return index >= 0 && index < 2 ? lanes[index].get() : nullptr;
}

void WaveStereoGraphComponent::resized()
{
    auto area = getLocalBounds();
    if (getNumLanes() == 1)
    {
        lanes[0]->setBounds (area);
        return;
    }

    lanes[0]->setBounds (area.removeFromTop (getHeight() / 2));
    lanes[1]->setBounds (area.removeFromTop (getHeight() / 2));
}

#include "audio/pipeline/DynamicControl.h"

#include <algorithm>
#include <cmath>

void CDcCutFilter::setEnabled (bool shouldBeOn)
{
    enabled = shouldBeOn;
    updateCoefficient();
}

void CDcCutFilter::setSampleRate (int rate)
{
    sampleRate = rate;
    updateCoefficient();
}

void CDcCutFilter::updateCoefficient()
{
    if (! enabled)
        coefficient = offCoefficient;
    else
        coefficient = sampleRate > 192000 ? 0.9999978f : 0.99987f;
}

void CDcCutFilter::reset()
{
    lastInput.fill (0.0f);
    lastOutput.fill (0.0f);
}

void CDcCutFilter::process (float* samples, int channel, int frames)
{
    // Off, the filter would only add rounding noise: skip it.
    if (! enabled)
        return;

    float x1 = lastInput[(size_t) channel];
    float y1 = lastOutput[(size_t) channel];
    for (int i = 0; i < frames; ++i)
    {
        const float x = samples[i];
        y1 = x - x1 + coefficient * y1;
        x1 = x;
        samples[i] = y1;
    }
    lastInput[(size_t) channel] = x1;
    lastOutput[(size_t) channel] = y1;
}

//==============================================================================
void CGainControl::setGainDb (double newGainDb)
{
    gainDb = newGainDb;
    linearGain = (float) std::pow (10.0, gainDb / 20.0);
}

void CGainControl::process (float* samples, int frames) const
{
    if (isNeutral())
        return;
    for (int i = 0; i < frames; ++i)
        samples[i] *= linearGain;
}

//==============================================================================
void CPanControl::setPan (double newPan)
{
    pan = std::clamp (newPan, -1.0, 1.0);
}

float CPanControl::getChannelGain (int channel) const
{
    if (channel == 0)
        return (float) std::min (1.0, 1.0 - pan);
    if (channel == 1)
        return (float) std::min (1.0, 1.0 + pan);
    return 1.0f;
}

//==============================================================================
void CFadeControl::setFadeTimes (double fadeInSeconds, double fadeOutSeconds)
{
    fadeInFrames = std::max<int64_t> (0, (int64_t) (fadeInSeconds * sampleRate));
    fadeOutFrames = std::max<int64_t> (0, (int64_t) (fadeOutSeconds * sampleRate));
}

float CFadeControl::nextGain()
{
    double gain = 1.0;
    if (position < fadeInFrames)
        gain = (double) position / (double) fadeInFrames;
    if (fadeOutFrames > 0 && position >= length - fadeOutFrames)
        gain = std::min (gain, (double) (length - 1 - position) / (double) fadeOutFrames);
    ++position;
    return (float) std::clamp (gain, 0.0, 1.0);
}

//==============================================================================
CDynamicControlParams::CDynamicControlParams (int channels)
    : numChannels (std::clamp (channels, 0, maxChannels))
{
}

void CDynamicControl::process (float* const* channels, int numChannelsInBlock, int frames)
{
    const int count = std::min (numChannelsInBlock, numChannels);

    for (int c = 0; c < count; ++c)
    {
        dcCut.process (channels[c], c, frames);
        gain.process (channels[c], frames);
        if (! pan.isBypassed() && count == 2)
            for (int i = 0; i < frames; ++i)
                channels[c][i] *= pan.getChannelGain (c);
    }

    if (! fade.isNeutral())
        applyFade (channels, count, frames);

    for (int c = 0; c < count; ++c)
    {
        float peak = 0.0f;
        for (int i = 0; i < frames; ++i)
            peak = std::max (peak, std::abs (channels[c][i]));
        if (peak > 0.0f)
            peaks[(size_t) c] = std::max (peaks[(size_t) c], 20.0f * std::log10 (peak));
    }
}

void CDynamicControl::applyFade (float* const* channels, int count, int frames)
{
    for (int i = 0; i < frames; ++i)
    {
        const float g = fade.nextGain();
        for (int c = 0; c < count; ++c)
            channels[c][i] *= g;
    }
}

void CDynamicControl::reset()
{
    dcCut.reset();
    fade.reset();
    resetMeters();
}

void CDynamicControl::resetMeters()
{
    peaks.fill (silentPeakDb);
}

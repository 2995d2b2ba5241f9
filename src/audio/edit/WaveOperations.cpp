#include "audio/edit/WaveOperations.h"

#include "data/SampleData.h"

#include <algorithm>
#include <cmath>

namespace
{
// The selected frames. The count is worked out in 64 bits, since a start
// and an end from outside (a file, the command line) may be anything.
struct Span
{
    int start, end;
    juce::int64 count;
};

Span spanOf (const WaveSelectedStatus& selection)
{
    return { selection.start, selection.end, (juce::int64) selection.end - selection.start + 1 };
}

bool anyChannelFlag (const WaveSelectedStatus& selection)
{
    return selection.channelFlags[0] != 0 || selection.channelFlags[1] != 0;
}

bool isChannelSelected (const WaveSelectedStatus& selection, int channel)
{
    return channel < 2 && selection.channelFlags[channel] != 0;
}

// At least one frame, none of them before the first or at or after the guard
// frame.
bool fitsRealFrames (const SampleData& sample, const Span& span)
{
    return span.start >= 0 && span.count >= 1 && span.end <= sample.getNumFrames() - 2;
}

// Delete and Truncate also need a channel, although they cut every channel.
bool fitsForCutting (const SampleData& sample, const Span& span, const WaveSelectedStatus& selection)
{
    return anyChannelFlag (selection) && fitsRealFrames (sample, span);
}

// Multiplies the selected frames of the selected channels by a ramp that
// starts at `first` and grows by `slope` per frame, clamped to 0 ... 1.
void applyRamp (SampleData& sample, const WaveSelectedStatus& selection, float first, float slope)
{
    const auto span = spanOf (selection);

    for (int c = 0; c < sample.getNumChannels(); ++c)
    {
        if (! isChannelSelected (selection, c))
            continue;

        auto* data = sample.getAudio().getWritePointer (c);
        float gain = first;

        for (int f = span.start; f <= span.end; ++f)
        {
            data[f] *= juce::jlimit (0.0f, 1.0f, gain);
            gain += slope;
        }
    }
    sample.takeNewBufferId();
}

int movedPoint (int point, const Span& span)
{
    return point > span.start ? std::max (point - (int) span.count, span.start) : point;
}
}

namespace WaveOperations
{
void separateEqualPoints (SampleData& sample)
{
    const int start = sample.getParameter (SampleData::start);
    const int end = sample.getParameter (SampleData::end);

    if (start != end)
        return;

    if (start >= 1)
        sample.setParameter (SampleData::start, start - 1);
    else
        sample.setParameter (SampleData::end, std::min (end + 1, sample.getNumFrames() - 2));
}

juce::String deleteSelection (SampleData& sample, const WaveSelectedStatus& selection)
{
    const auto span = spanOf (selection);

    if (! fitsForCutting (sample, span, selection))
        return invalidSelectionKey;

    const int frames = sample.getNumFrames();
    const int remaining = frames - (int) span.count;

    if (remaining <= 1)
    {
        sample.resize (sample.getNumChannels(), 0, sample.getSampleRate(), false);
        sample.setParameter (SampleData::start, 0);
        sample.setParameter (SampleData::end, 0);
    }
    else
    {
        for (int c = 0; c < sample.getNumChannels(); ++c)
        {
            auto* data = sample.getAudio().getWritePointer (c);
            std::copy (data + span.end + 1, data + frames, data + span.start);
        }

        const int start = movedPoint (sample.getParameter (SampleData::start), span);
        const int end = movedPoint (sample.getParameter (SampleData::end), span);
        sample.resize (sample.getNumChannels(), remaining, sample.getSampleRate(), true);
        sample.setParameter (SampleData::start, start);
        sample.setParameter (SampleData::end, end);
    }

    separateEqualPoints (sample);
    return {};
}

juce::String truncate (SampleData& sample, const WaveSelectedStatus& selection)
{
    const auto span = spanOf (selection);

    if (! fitsForCutting (sample, span, selection))
        return invalidSelectionKey;

    // The frame after the kept ones keeps whatever it held: it becomes the
    // guard frame.
    for (int c = 0; c < sample.getNumChannels(); ++c)
    {
        auto* data = sample.getAudio().getWritePointer (c);
        std::copy (data + span.start, data + span.end + 1, data);
    }

    sample.resize (sample.getNumChannels(), (int) span.count + 1, sample.getSampleRate(), true);
    sample.setParameter (SampleData::start, 0);
    sample.setParameter (SampleData::end, (int) span.count - 1);
    return {};
}

juce::String silence (SampleData& sample, const WaveSelectedStatus& selection)
{
    const auto span = spanOf (selection);

    if (! fitsRealFrames (sample, span))
        return invalidSelectionKey;

    for (int c = 0; c < sample.getNumChannels(); ++c)
        if (isChannelSelected (selection, c))
            sample.getAudio().clear (c, span.start, (int) span.count);

    sample.takeNewBufferId();
    return {};
}

juce::String normalize (SampleData& sample, const WaveSelectedStatus&)
{
    const int realFrames = std::max (0, sample.getNumFrames() - 1);
    float peak = 0.0f;

    for (int c = 0; c < sample.getNumChannels(); ++c)
    {
        const auto* data = sample.getAudio().getReadPointer (c);
        for (int f = 0; f < realFrames; ++f)
            peak = std::max (peak, std::abs (data[f]));
    }

    if (peak > 0.0f)
    {
        const float gain = 1.0f / peak;
        sample.getAudio().applyGain (gain);
    }

    sample.takeNewBufferId();
    return {};
}

juce::String fadeIn (SampleData& sample, const WaveSelectedStatus& selection)
{
    const auto span = spanOf (selection);

    if (! fitsRealFrames (sample, span))
        return invalidSelectionKey;

    applyRamp (sample, selection, 0.0f, 1.0f / (float) span.count);
    return {};
}

juce::String fadeOut (SampleData& sample, const WaveSelectedStatus& selection)
{
    const auto span = spanOf (selection);

    if (! fitsRealFrames (sample, span))
        return invalidSelectionKey;

    const float slope = -1.0f / (float) span.count;
    applyRamp (sample, selection, slope + 1.0f, slope);
    return {};
}

WaveSelectedStatus selectAll (const SampleData& sample)
{
    WaveSelectedStatus selection;
    const int frames = sample.getNumFrames();
    selection.start = frames <= 1 ? -1 : 0;
    selection.end = frames <= 1 ? 0 : frames - 2;
    selection.channelFlags[0] = selection.channelFlags[1] = 1;
    return selection;
}

WaveSelectedStatus selectBetweenPoints (const SampleData& sample)
{
    const int start = sample.getParameter (SampleData::start);
    const int end = sample.getParameter (SampleData::end);

    WaveSelectedStatus selection;
    selection.start = std::min (start, end);
    selection.end = std::max (start, end);
    selection.channelFlags[0] = selection.channelFlags[1] = 1;
    return selection;
}

bool pointsForSelection (const SampleData& sample, const WaveSelectedStatus& selection, int& start, int& end)
{
    if (! anyChannelFlag (selection))
        return false;

    start = selection.start;
    end = selection.end;

    if (start == end)
    {
        if (start >= 1)
            --start;
        else
        {
            start = 0;
            end = std::min (end + 1, sample.getNumFrames() - 2);
        }
    }
    return true;
}
}

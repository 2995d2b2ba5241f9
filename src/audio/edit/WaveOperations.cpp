#include "audio/edit/WaveOperations.h"

#include "data/SampleData.h"

#include <algorithm>
#include <cmath>

namespace
{
struct Span
{
    int start, end, count;
};

Span spanOf (const WaveSelectedStatus& selection)
{
    return { selection.start, selection.end, selection.end - selection.start + 1 };
}

bool anyChannelFlag (const WaveSelectedStatus& selection)
{
    return selection.channelFlags[0] != 0 || selection.channelFlags[1] != 0;
}

bool isChannelSelected (const WaveSelectedStatus& selection, int channel)
{
    return channel < 2 && selection.channelFlags[channel] != 0;
}

// Delete and Truncate: a channel flag, and the selection inside the real frames.
bool fitsForCutting (const SampleData& sample, const Span& span, const WaveSelectedStatus& selection)
{
    const int frames = sample.getNumFrames();
    return anyChannelFlag (selection) && span.start >= 0 && span.count <= frames && span.end <= frames - 2;
}

// Silence and the fades.
bool fitsForShaping (const SampleData& sample, const Span& span)
{
    const int frames = sample.getNumFrames();
    return span.start >= 0 && span.count <= frames - 1 && span.end <= frames - 2 && span.count > 0;
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
    return point > span.start ? std::max (point - span.count, span.start) : point;
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

void deleteSelection (SampleData& sample, const WaveSelectedStatus& selection)
{
    const auto span = spanOf (selection);

    if (! fitsForCutting (sample, span, selection))
        return;

    const int frames = sample.getNumFrames();
    const int remaining = frames - span.count;

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
}

void truncate (SampleData& sample, const WaveSelectedStatus& selection)
{
    const auto span = spanOf (selection);

    if (! fitsForCutting (sample, span, selection))
        return;

    // The frame after the kept ones keeps whatever it held: it becomes the
    // guard frame.
    for (int c = 0; c < sample.getNumChannels(); ++c)
    {
        auto* data = sample.getAudio().getWritePointer (c);
        std::copy (data + span.start, data + span.end + 1, data);
    }

    sample.resize (sample.getNumChannels(), span.count + 1, sample.getSampleRate(), true);
    sample.setParameter (SampleData::start, 0);
    sample.setParameter (SampleData::end, span.count - 1);
}

void silence (SampleData& sample, const WaveSelectedStatus& selection)
{
    const auto span = spanOf (selection);

    if (! fitsForShaping (sample, span))
        return;

    for (int c = 0; c < sample.getNumChannels(); ++c)
        if (isChannelSelected (selection, c))
            sample.getAudio().clear (c, span.start, span.count);

    sample.takeNewBufferId();
}

void normalize (SampleData& sample, const WaveSelectedStatus&)
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
}

void fadeIn (SampleData& sample, const WaveSelectedStatus& selection)
{
    const auto span = spanOf (selection);

    if (fitsForShaping (sample, span))
        applyRamp (sample, selection, 0.0f, 1.0f / (float) span.count);
}

void fadeOut (SampleData& sample, const WaveSelectedStatus& selection)
{
    const auto span = spanOf (selection);

    if (! fitsForShaping (sample, span))
        return;

    const float slope = -1.0f / (float) span.count;
    applyRamp (sample, selection, slope + 1.0f, slope);
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

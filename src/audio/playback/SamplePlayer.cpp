#include "audio/playback/SamplePlayer.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "audio/edit/SampleDataFsConverter.h"
#include "audio/playback/DecibelTable.h"

SamplePlayer::SamplePlayer() = default;

void SamplePlayer::prepare (double rate, int blockSize)
{
    const juce::ScopedLock scopedLock (lock);
    preparedRate = rate;
    preparedBlockSize = blockSize;
}

bool SamplePlayer::loadSample (const SampleData& source)
{
    const juce::ScopedLock scopedLock (lock);

    const bool loadable = SampleDataFsConverter::isDeviceRate (source.getSampleRate());
    if (loadable)
        sample.copyFrom (source);

    rewind();
    return loadable;
}

void SamplePlayer::setSelectionMode (bool on, int start, int end)
{
    const juce::ScopedLock scopedLock (lock);
    selectionMode = on;
    selectionStart = start;
    selectionEnd = end;
}

void SamplePlayer::rewind()
{
    const juce::ScopedLock scopedLock (lock);
    const bool reverse = sample.getParameter (SampleData::reverse) != 0;

    if (selectionMode)
        position = reverse ? selectionEnd : selectionStart;
    else
        position = sample.getParameter (reverse ? SampleData::end : SampleData::start);
}

void SamplePlayer::play()
{
    {
        const juce::ScopedLock scopedLock (lock);
        playing = true;
    }
    MessageEngine::broadcast (MessageIds::samplePlaybackStarted);
}

void SamplePlayer::stop()
{
    {
        const juce::ScopedLock scopedLock (lock);
        playing = false;
    }
    MessageEngine::broadcast (MessageIds::samplePlaybackStopped);
}

int SamplePlayer::getPlayPosition() const
{
    const juce::ScopedLock scopedLock (lock);
    return position;
}

void SamplePlayer::setPlayPosition (int newPosition)
{
    const juce::ScopedLock scopedLock (lock);
    position = newPosition;
}

float SamplePlayer::takePeakLevel (int channel)
{
    return peakLevels[channel & 1].exchange (DecibelTable::floorDb);
}

SamplePlayer::Range SamplePlayer::currentRange() const
{
    const int last = sample.getNumFrames() - 1;
    const int first = selectionMode ? selectionStart : sample.getParameter (SampleData::start);
    const int end = selectionMode ? selectionEnd : sample.getParameter (SampleData::end);
    return { juce::jlimit (0, last, first), juce::jlimit (0, last, end) };
}

void SamplePlayer::render (float* const* outputs, int channels, int frames)
{
    const juce::ScopedLock scopedLock (lock);

    for (int c = 0; c < channels; ++c)
        juce::FloatVectorOperations::clear (outputs[c], frames);

    if (preparedRate != renderRate || frames % 8 != 0 || ! playing || sample.getNumFrames() < 2)
        return;

    const auto range = currentRange();
    const bool reverse = sample.getParameter (SampleData::reverse) != 0;
    const int repeat = juce::jmax (1, (int) (renderRate / sample.getSampleRate()));

    if (position < range.first || position > range.last)
        position = reverse ? range.last : range.first;

    for (int group = 0; group < frames / repeat; ++group)
        if (! renderGroup (outputs, channels, group * repeat, repeat, range, reverse))
            break;

    updatePeaks (outputs, channels, frames);
}

bool SamplePlayer::renderGroup (float* const* outputs, int channels, int frame, int repeat, const Range& range,
                                bool reverse)
{
    const auto& audio = sample.getAudio();
    const bool stereo = audio.getNumChannels() > 1;

    for (int c = 0; c < channels; ++c)
    {
        if (stereo && c > 1)
            break;
        const float value = audio.getSample (stereo ? c : 0, position);
        juce::FloatVectorOperations::fill (outputs[c] + frame, value, repeat);
    }

    bool returned = false;
    if (reverse)
    {
        if (--position < range.first)
            position = range.last - 1, returned = true;
    }
    else if (++position >= range.last)
    {
        position = range.first, returned = true;
    }

    if (returned && sample.getParameter (SampleData::loop) == 0)
    {
        playing = false;
        MessageEngine::broadcast (MessageIds::samplePlaybackStopped);
        return false;
    }
    return true;
}

void SamplePlayer::updatePeaks (float* const* outputs, int channels, int frames)
{
    for (int c = 0; c < juce::jmin (2, channels); ++c)
    {
        DecibelTable::raiseHeldPeak (peakLevels[c], DecibelTable::peakOf (outputs[c], frames));
    }
}

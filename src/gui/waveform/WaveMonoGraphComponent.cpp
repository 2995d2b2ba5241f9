#include "gui/waveform/WaveMonoGraphComponent.h"

#include "data/SampleData.h"

WaveMonoGraphComponent::WaveMonoGraphComponent (int channelIndex)
    : channel (channelIndex)
{
    setOpaque (true);
    setInterceptsMouseClicks (false, false);
}

void WaveMonoGraphComponent::setSample (const SampleData* newSample)
{
    sample = newSample;
    markDirty (true);
}

void WaveMonoGraphComponent::setPoints (int startFrame, int endFrame)
{
    if (startFrame == startPoint && endFrame == endPoint)
        return;

    startPoint = startFrame;
    endPoint = endFrame;
    markDirty (false);
}

void WaveMonoGraphComponent::setViewInfo (const WaveGraphViewInfo& view)
{
    if (view == viewInfo)
        return;

    const bool scaleChanged = view.scale != viewInfo.scale;
    WaveGraphBase::setViewInfo (view);
    markDirty (scaleChanged);
}

void WaveMonoGraphComponent::resized()
{
    markDirty (true);
}

void WaveMonoGraphComponent::markDirty (bool peakCacheToo)
{
    {
        const juce::ScopedLock scopedLock (lock);
        dirty = true;
        if (peakCacheToo)
            peakCacheValid = false;
    }
    repaint();
}

void WaveMonoGraphComponent::paint (juce::Graphics& g)
{
    const juce::ScopedLock scopedLock (lock);
    if (dirty || image.getBounds() != getLocalBounds())
        redrawImage();
    g.drawImageAt (image, 0, 0);
}

void WaveMonoGraphComponent::redrawImage()
{
    const int width = juce::jmax (1, getWidth());
    const int height = juce::jmax (1, getHeight());
    if (image.getWidth() != width || image.getHeight() != height)
        image = juce::Image (juce::Image::RGB, width, height, false);

    juce::Graphics g (image);
    g.fillAll (juce::Colour (backgroundColour));
    drawColumns (g, width, height / 2);
    dirty = false;
}

// The guard frame at the end is never drawn.
int WaveMonoGraphComponent::lastDrawnFrame() const
{
    return sample != nullptr && channel < sample->getNumChannels() ? sample->getNumFrames() - 2 : -1;
}

void WaveMonoGraphComponent::drawColumns (juce::Graphics& g, int width, int centre)
{
    const int last = lastDrawnFrame();
    const int offset = viewInfo.offset, scale = viewInfo.scale;
    int x = 0;

    if (last >= 0)
    {
        if (usesPeakCache() && ! peakCacheValid)
            rebuildPeakCache (centre);

        const int brightFrom = pixelOfFrame (startPoint), brightTo = pixelOfFrame (endPoint);
        const juce::int64 firstBlock = offset / scale;

        for (; x < width; ++x)
        {
            const juce::int64 firstFrame = (juce::int64) offset + (juce::int64) x * scale;
            if (firstFrame > last || (usesPeakCache() && firstBlock + x >= (juce::int64) peakCache.size()))
                break;

            const auto peak = usesPeakCache() ? peakCache[(size_t) (firstBlock + x)]
                                              : peakOfFrames ((int) firstFrame, scale, centre);
            g.setColour (juce::Colour (brightFrom <= x && x < brightTo ? brightColour : dimColour));
            g.fillRect (x, centre - peak.hi, 1, peak.hi - peak.lo);
        }
    }

    // Silence and the space after the last frame: the row a silent column
    // takes, so the trace runs on without a step.
    if (x < width)
    {
        g.setColour (juce::Colour (dimColour));
        g.fillRect (x, centre - 1, width - x, 1);
    }
}

// The frames are held to the drawn ones; minimum and maximum start from 0
// so that every column reaches the centre line.
WaveMonoGraphComponent::ColumnPeak WaveMonoGraphComponent::peakOfFrames (int firstFrame, int frameCount, int centre) const
{
    const int count = juce::jmin (frameCount, lastDrawnFrame() + 1 - firstFrame);
    const auto range = juce::FloatVectorOperations::findMinAndMax (sample->getAudio().getReadPointer (channel, firstFrame), count);

    const int lo = (int) ((float) centre * juce::jmin (0.0f, range.getStart()));
    const int hi = (int) ((float) centre * juce::jmax (0.0f, range.getEnd()));
    return { lo, hi == lo ? lo + 1 : hi };
}

void WaveMonoGraphComponent::rebuildPeakCache (int centre)
{
    const int scale = viewInfo.scale;
    const int blocks = lastDrawnFrame() / scale + 1;

    peakCache.resize ((size_t) blocks);
    for (int block = 0; block < blocks; ++block)
        peakCache[(size_t) block] = peakOfFrames (block * scale, scale, centre);

    peakCacheValid = true;
}

#include "gui/waveform/WaveRangeComponent.h"

#include "gui/widgets/FontManager.h"
#include "resources/CZQVResource.h"

WaveRangeComponent::WaveRangeComponent() = default;

WaveRangeComponent::~WaveRangeComponent()
{
    stopTimer();
    cancelPendingUpdate();
}

void WaveRangeComponent::setPoints (int startFrame, int endFrame)
{
    startPoint = startFrame;
    endPoint = endFrame;
    repaint();
}

void WaveRangeComponent::setLimit (int newLimit)
{
    limit = juce::jmax (0, newLimit);
    repaint();
}

void WaveRangeComponent::setViewInfo (const WaveGraphViewInfo& view)
{
    WaveGraphBase::setViewInfo (view);
    repaint();
}

// Far apart, the end marker wins within its reach; close together, each
// marker is grabbed only on its outer side.
WaveRangeComponent::Marker WaveRangeComponent::markerAt (int x) const
{
    const int xa = pixelOfFrame (startPoint), xb = pixelOfFrame (endPoint);

    if (xa < xb - grabPixels)
    {
        if (std::abs (x - xb) <= grabPixels)
            return endMarker;
        if (std::abs (x - xa) <= grabPixels)
            return startMarker;
        return noMarker;
    }

    if (x >= xa - grabPixels && x <= xa - 1)
        return startMarker;
    if (x >= xb && x <= xb + grabPixels)
        return endMarker;
    return noMarker;
}

juce::String WaveRangeComponent::markerText (const juce::String& key, const juce::String& fallback)
{
    return CZQVResource::getInstancePointer() != nullptr ? CZQVResource::text (key) : fallback;
}

void WaveRangeComponent::paint (juce::Graphics& g)
{
    if (limit == 0)
        return;

    g.setFont (FontManager::fontFor ("WaveformWaveRangeStartEnd").withHeight ((float) (getHeight() - 3)));
    g.setColour (juce::Colours::black);
    paintMarker (g, pixelOfFrame (startPoint), markerText ("WaveGraph_StartSample", "START"), true);
    paintMarker (g, pixelOfFrame (endPoint), markerText ("WaveGraph_EndSample", "END"), false);
}

// The start text sits left of its line unless it does not fit there; the
// end text right of its line unless the line is within 10 pixels of the
// right edge.
void WaveRangeComponent::paintMarker (juce::Graphics& g, int x, const juce::String& text, bool isStart) const
{
    if (x < 0 || x >= getWidth())
        return;

    g.fillRect (x, 0, 1, getHeight());

    const int textWidth = g.getCurrentFont().getStringWidth (text);
    const int leftX = x - textGap - textWidth, rightX = x + textGap;
    const bool onTheLeft = isStart ? leftX >= 0 : x + 2 * textGap > getWidth();
    g.drawText (text, onTheLeft ? leftX : rightX, 0, textWidth, getHeight(), juce::Justification::centredLeft, false);
}

void WaveRangeComponent::mouseMove (const juce::MouseEvent& e)
{
    setMouseCursor (markerAt (e.x) != noMarker ? juce::MouseCursor::LeftRightResizeCursor
                                              : juce::MouseCursor::NormalCursor);
}

void WaveRangeComponent::mouseDown (const juce::MouseEvent& e)
{
    if (! e.mods.isLeftButtonDown())
        return;

    pressed = true;
    grabbed = markerAt (e.x);
    leftOvershoot = rightOvershoot = 0;
    if (grabbed != noMarker)
        startTimer (50);
}

void WaveRangeComponent::mouseDrag (const juce::MouseEvent& e)
{
    if (! pressed || grabbed == noMarker)
        return;

    leftOvershoot = e.x < 0 ? -e.x : 0;
    rightOvershoot = e.x > getWidth() ? e.x - getWidth() : 0;

    int frame = frameAtPixel (e.x, limit);
    if (e.mods.isShiftDown() && snap != nullptr)
        frame = snap (frame);

    int start = startPoint, end = endPoint;
    if (grabbed == startMarker)
        start = frame >= endPoint ? juce::jmax (endPoint - 1, 0) : frame;
    else
        end = frame <= startPoint ? (limit == 0 ? 0 : startPoint + 1) : frame;

    pendingRange = { start, end, true };
    triggerAsyncUpdate();
}

void WaveRangeComponent::mouseUp (const juce::MouseEvent&)
{
    stopTimer();
    pressed = false;
    grabbed = noMarker;
    leftOvershoot = rightOvershoot = 0;
}

void WaveRangeComponent::scrollForOvershoot()
{
    const int offset = offsetAfterOvershoot (viewInfo, leftOvershoot, rightOvershoot, limit, getWidth() - 1);
    if (offset == viewInfo.offset)
        return;

    pendingView.view = { offset, viewInfo.scale };
    pendingView.due = true;
    triggerAsyncUpdate();
}

void WaveRangeComponent::handleAsyncUpdate()
{
    if (pendingRange.due)
    {
        pendingRange.due = false;
        const auto range = pendingRange;
        callListeners ([&] (WaveGraphListener& l) { l.rangeChanged (range.start, range.end); });
    }

    if (pendingView.due)
    {
        pendingView.due = false;
        const auto view = pendingView.view;
        callListeners ([&] (WaveGraphListener& l) { l.viewChanged (view); });
    }
}

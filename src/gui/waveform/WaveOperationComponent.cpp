#include "gui/waveform/WaveOperationComponent.h"

WaveOperationComponent::WaveOperationComponent() = default;

WaveOperationComponent::~WaveOperationComponent()
{
    stopTimer();
}

void WaveOperationComponent::setSelection (const WaveSelectedStatus& newSelection)
{
    selection = newSelection;
    repaint();
}

void WaveOperationComponent::setLimit (int newLimit, int channelCount)
{
    limit = juce::jmax (0, newLimit);
    channels = juce::jlimit (1, 2, channelCount);
}

void WaveOperationComponent::setPlayPosition (int frame)
{
    playPosition = frame;
    repaint();
}

void WaveOperationComponent::setViewInfo (const WaveGraphViewInfo& view)
{
    WaveGraphBase::setViewInfo (view);
    repaint();
}

void WaveOperationComponent::paint (juce::Graphics& g)
{
    const int width = getWidth(), height = getHeight();
    const int x0 = juce::jmax (pixelOfFrame (selection.start), 0);
    const int selectionWidth = juce::jmin (width, pixelOfFrame (selection.end)) - x0 + 1;

    g.setColour (juce::Colour (selectionColour));
    for (int channel = 0; channel < channels; ++channel)
        if (selection.channelFlags[channel] != 0)
            g.fillRect (x0, channel * height / channels, selectionWidth, height / channels);

    g.setColour (juce::Colour (playCursorColour));
    g.fillRect (pixelOfFrame (playPosition), 0, 1, height);
}

// With one channel every row is both channels.
WaveOperationComponent::Row WaveOperationComponent::rowAt (int y) const
{
    if (channels < 2)
        return { true, true };

    const int height = getHeight();
    if (y <= 3 * height / 11)
        return { true, false };
    if (y >= 8 * height / 11)
        return { false, true };
    return { true, true };
}

WaveOperationComponent::Edge WaveOperationComponent::edgeAt (juce::Point<int> position) const
{
    const auto row = rowAt (position.y);
    const bool overSelectedChannel = (row.channel0 && selection.channelFlags[0] != 0)
                                  || (row.channel1 && selection.channelFlags[1] != 0);
    if (! overSelectedChannel)
        return noEdge;

    if (std::abs (position.x - pixelOfFrame (selection.start)) <= edgeGrabPixels)
        return startEdge;
    if (std::abs (position.x - pixelOfFrame (selection.end)) <= edgeGrabPixels)
        return endEdge;
    return noEdge;
}

void WaveOperationComponent::mouseMove (const juce::MouseEvent& e)
{
    setMouseCursor (edgeAt (e.getPosition()) != noEdge ? juce::MouseCursor::LeftRightResizeCursor
                                                       : juce::MouseCursor::NormalCursor);
}

void WaveOperationComponent::mouseDown (const juce::MouseEvent& e)
{
    if (! e.mods.isLeftButtonDown())
        return;

    pressed = true;
    moved = false;
    leftOvershoot = rightOvershoot = 0;
    edge = edgeAt (e.getPosition());

    if (edge != noEdge)
    {
        anchor = selection.start;
        moving = selection.end;
    }
    else
    {
        anchor = moving = frameAtPixel (e.x, limit);
    }
    startTimer (overshootTickMs);
}

void WaveOperationComponent::mouseDrag (const juce::MouseEvent& e)
{
    if (! pressed)
        return;

    moved = true;
    setMouseCursor (juce::MouseCursor::LeftRightResizeCursor);
    leftOvershoot = e.x < 0 ? -e.x : 0;
    rightOvershoot = e.x > getWidth() ? e.x - getWidth() : 0;

    const int frame = frameAtPixel (e.x, limit);
    (edge == startEdge ? anchor : moving) = frame;

    const auto row = rowAt (e.y);
    WaveSelectedStatus dragged;
    dragged.start = juce::jmin (anchor, moving);
    dragged.end = juce::jmax (anchor, moving);
    dragged.channelFlags[0] = row.channel0 ? 1 : 0;
    dragged.channelFlags[1] = row.channel1 ? 1 : 0;

    setSelection (dragged);
    callListeners ([&] (WaveGraphListener& l) { l.selectionChanged (dragged); });
}

void WaveOperationComponent::mouseUp (const juce::MouseEvent& e)
{
    if (! pressed)
        return;

    const bool wasClick = ! moved;
    resetDrag();
    if (! wasClick)
        return;

    if (selection.channelFlags[0] == 0 && selection.channelFlags[1] == 0)
    {
        const int frame = frameAtPixel (e.x, limit);
        callListeners ([frame] (WaveGraphListener& l) { l.playPositionChanged (frame); });
    }

    const WaveSelectedStatus cleared;
    setSelection (cleared);
    callListeners ([&] (WaveGraphListener& l) { l.selectionChanged (cleared); });
}

void WaveOperationComponent::resetDrag()
{
    stopTimer();
    pressed = moved = false;
    edge = noEdge;
    leftOvershoot = rightOvershoot = 0;
}

void WaveOperationComponent::scrollForOvershoot()
{
    const int offset = offsetAfterOvershoot (viewInfo, leftOvershoot, rightOvershoot, limit, getWidth());
    if (offset == viewInfo.offset)
        return;

    WaveGraphViewInfo scrolled = viewInfo;
    scrolled.offset = offset;
    callListeners ([&] (WaveGraphListener& l) { l.viewChanged (scrolled); });
}

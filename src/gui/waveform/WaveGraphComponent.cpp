#include "gui/waveform/WaveGraphComponent.h"

#include "app/MessageEngine.h"
#include "app/MessageIds.h"
#include "audio/playback/AudioPlayerManager.h"
#include "commands/CommandContext.h"
#include "data/DataCenter.h"
#include "gui/waveform/WaveformImageButton.h"
#include "gui/waveform/ZeroCrossing.h"
#include "history/ParameterActions.h"
#include "history/TransactionNames.h"
#include "prefs/PreferencesData.h"

#include <limits>

WaveGraphComponent::WaveGraphComponent (CommandContext& commandContext, PreferencesData& preferencesData)
    : context (commandContext), preferences (preferencesData)
{
    setName ("WaveGraph");
    addAndMakeVisible (lanes);
    addAndMakeVisible (selectionLayer);
    addAndMakeVisible (markerStrip);
    selectionLayer.addWaveGraphListener (this);
    markerStrip.addWaveGraphListener (this);
    markerStrip.setSnap ([this] (int frame) { return ZeroCrossing::nearest (shownSample, frame, shownSample.getNumFrames() - 1); });

    scrollBar.setAutoHide (false);
    scrollBar.setColour (juce::ScrollBar::backgroundColourId, juce::Colours::transparentBlack);
    scrollBar.setColour (juce::ScrollBar::thumbColourId, juce::Colour (0xffffb400));
    scrollBar.setColour (juce::ScrollBar::trackColourId, juce::Colour (0xff996400));
    scrollBar.addListener (this);
    addAndMakeVisible (scrollBar);

    setUpZoomButton (zoomOutButton, "ButtonWaveformMinus");
    setUpZoomButton (zoomInButton, "ButtonWaveformPlus");

    viewInfo = context.getWaveView();
    applyView (viewInfo);
    refresh();

    if (auto* engine = MessageEngine::getInstancePointer())
        engine->addListener (this);
    startTimer (playCursorTickMs);
}

WaveGraphComponent::~WaveGraphComponent()
{
    stopTimer();
    if (auto* engine = MessageEngine::getInstancePointer())
        engine->removeListener (this);
    selectionLayer.removeWaveGraphListener (this);
    markerStrip.removeWaveGraphListener (this);
}

void WaveGraphComponent::setUpZoomButton (juce::ImageButton& button, const juce::String& image)
{
    WaveformImageButton::setImages (button, image);
    button.addListener (this);
    addAndMakeVisible (button);
}

int WaveGraphComponent::selectedSampleIndex() const
{
    auto* dataCenter = context.getDataCenter();
    return dataCenter != nullptr ? dataCenter->getEditBank().getSampleSet().getCurrentSampleIndex() : 0;
}

const SampleData* WaveGraphComponent::selectedSample() const
{
    auto* dataCenter = context.getDataCenter();
    return dataCenter != nullptr ? &dataCenter->getEditBank().getSample (selectedSampleIndex()) : nullptr;
}

// True when the audio itself was copied, not only the parameters.
bool WaveGraphComponent::copySelectedSample()
{
    const auto* sample = selectedSample();
    if (sample == nullptr)
        return false;

    const bool audioChanges = shownSample.getBufferId() != sample->getBufferId() || sample->getBufferId() == 0;
    shownSample.copyFrom (*sample);
    return audioChanges;
}

void WaveGraphComponent::refresh()
{
    if (context.getWaveSelection() != shownSelection)
    {
        shownSelection = context.getWaveSelection();
        selectionLayer.setSelection (shownSelection);
    }

    if (context.getWaveView() != viewInfo)
        applyView (context.getWaveView());

    const bool audioCopied = copySelectedSample();
    const int frames = shownSample.getNumFrames();
    const int start = shownSample.getParameter (SampleData::start), end = shownSample.getParameter (SampleData::end);
    lanes.setPoints (start, end);
    selectionLayer.setLimit (frames - 1, shownSample.getNumChannels());
    markerStrip.setPoints (start, end);
    markerStrip.setLimit (frames - 1);

    if (audioCopied)
        lanes.setSample (&shownSample);
    else
        lanes.repaint();

    updateScrollBar();
    updatePlayCursor();
}

void WaveGraphComponent::applyView (const WaveGraphViewInfo& view)
{
    WaveGraphBase::setViewInfo (view);
    lanes.setViewInfo (view);
    selectionLayer.setViewInfo (view);
    markerStrip.setViewInfo (view);
    updateScrollBar();
}

void WaveGraphComponent::updateScrollBar()
{
    const int scale = viewInfo.scale;
    scrollBar.setRangeLimits (0.0, (double) (juce::jmax (0, shownSample.getNumFrames() - 1) / scale), juce::dontSendNotification);
    scrollBar.setCurrentRange ((double) (viewInfo.offset / scale), (double) (lanes.getWidth() - 1), juce::dontSendNotification);
}

void WaveGraphComponent::changeView (const WaveGraphViewInfo& view)
{
    context.getWaveView() = view;
    preferences.setNumber (PreferencesData::waveGraphViewScale, view.scale);
    applyView (view);
}

void WaveGraphComponent::zoomOut()
{
    if (viewInfo.scale <= maximumScale / 2)
        changeView ({ viewInfo.offset, viewInfo.scale * 2 });
}

void WaveGraphComponent::zoomIn()
{
    if (viewInfo.scale >= 2)
        changeView ({ viewInfo.offset, viewInfo.scale / 2 });
}

// The frame under lane column laneX stays under it.
void WaveGraphComponent::zoomAround (int laneX, int newScale)
{
    const auto frame = (juce::int64) viewInfo.offset + (juce::int64) laneX * viewInfo.scale;
    const auto offset = juce::jmax<juce::int64> (0, frame - (juce::int64) laneX * newScale);
    changeView ({ (int) juce::jmin<juce::int64> (offset, std::numeric_limits<int>::max()), newScale });
}

int WaveGraphComponent::visibleFrames() const
{
    return (int) juce::jmin<juce::int64> ((juce::int64) (lanes.getWidth() - 1) * viewInfo.scale, std::numeric_limits<int>::max());
}

// Auto scroll keeps the context's view in step, so that the next refresh
// does not pull the view back to where playback started.
void WaveGraphComponent::updatePlayCursor()
{
    auto* players = context.getPlayerManager();
    const int position = players != nullptr ? players->getSamplePlayer().getPlayPosition() : 0;

    if (autoScroll && players != nullptr && players->isPlaying())
    {
        const int lastOffset = juce::jmax (0, shownSample.getNumFrames() - 1 - visibleFrames());
        const int offset = juce::jlimit (0, lastOffset, position - visibleFrames() / 2);
        if (offset != viewInfo.offset)
        {
            context.getWaveView().offset = offset;
            applyView ({ offset, viewInfo.scale });
            markerStrip.repaint();
        }
    }

    selectionLayer.setPlayPosition (position);
}

void WaveGraphComponent::selectionChanged (const WaveSelectedStatus& selection)
{
    context.setWaveSelection (selection);
}

void WaveGraphComponent::playPositionChanged (int frame)
{
    if (auto* players = context.getPlayerManager())
        players->getSamplePlayer().setPlayPosition (frame);
    selectionLayer.setPlayPosition (frame);
}

void WaveGraphComponent::rangeChanged (int startFrame, int endFrame)
{
    auto* history = context.getUndoManager();
    if (history == nullptr || selectedSample() == nullptr)
        return;

    const int lastFrame = juce::jmax (0, shownSample.getNumFrames() - 2);
    const int start = juce::jlimit (0, lastFrame, juce::jmin (startFrame, endFrame - 1));
    const int end = juce::jlimit (0, lastFrame, juce::jmax (endFrame, start + 1));

    const int index = selectedSampleIndex();
    coalescer.perform (*history, TransactionNames::editSampleParameter,
                       std::make_unique<EditSampleParameterAction> (index, SampleData::start, start));
    coalescer.perform (*history, TransactionNames::editSampleParameter,
                       std::make_unique<EditSampleParameterAction> (index, SampleData::end, end));
    MessageEngine::broadcast (MessageIds::dataChanged);
}

void WaveGraphComponent::viewChanged (const WaveGraphViewInfo& view)
{
    changeView (view);
    lanes.repaint();
    selectionLayer.repaint();
    markerStrip.repaint();
}

void WaveGraphComponent::timerCallback()
{
    if (auto* players = context.getPlayerManager(); players != nullptr && players->isPlaying())
        updatePlayCursor();
}

void WaveGraphComponent::scrollBarMoved (juce::ScrollBar*, double newRangeStart)
{
    const auto offset = (juce::int64) newRangeStart * viewInfo.scale;
    changeView ({ (int) juce::jmin<juce::int64> (offset, std::numeric_limits<int>::max()), viewInfo.scale });
}

void WaveGraphComponent::buttonClicked (juce::Button* button)
{
    if (button == &zoomOutButton)
        zoomOut();
    else if (button == &zoomInButton)
        zoomIn();
}

// Up zooms in, down out, around the frame under the pointer; with Shift
// (or a sideways wheel) the view scrolls by a fifth of its width per notch.
void WaveGraphComponent::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    const float sideways = wheel.deltaX != 0.0f ? wheel.deltaX : (e.mods.isShiftDown() ? wheel.deltaY : 0.0f);
    if (sideways != 0.0f)
    {
        const auto pixels = (juce::int64) juce::roundToInt (-sideways * (float) lanes.getWidth());
        const auto lastOffset = (juce::int64) juce::jmax (0, shownSample.getNumFrames() - 1 - visibleFrames());
        const auto offset = juce::jlimit<juce::int64> (0, juce::jmax<juce::int64> (lastOffset, viewInfo.offset),
                                                       viewInfo.offset + pixels * viewInfo.scale);
        changeView ({ (int) offset, viewInfo.scale });
        return;
    }

    const int laneX = juce::jlimit (0, lanes.getWidth() - 1, e.x - lanes.getX());
    if (wheel.deltaY > 0.0f && viewInfo.scale >= 2)
        zoomAround (laneX, viewInfo.scale / 2);
    else if (wheel.deltaY < 0.0f && viewInfo.scale <= maximumScale / 2)
        zoomAround (laneX, viewInfo.scale * 2);
}

void WaveGraphComponent::resized()
{
    const int w = getWidth(), h = getHeight();
    markerStrip.setBounds (0, 0, w, markerStripHeight);
    lanes.setBounds (1, 16, w - 2, h - 33);
    selectionLayer.setBounds (0, 15, w, h - 31);
    scrollBar.setBounds (0, h - scrollBarHeight, w - 37, scrollBarHeight);
    zoomOutButton.setBounds (w - 37, h - 17, 16, 16);
    zoomInButton.setBounds (w - 20, h - 17, 16, 16);
    updateScrollBar();
}

void WaveGraphComponent::handleMessage (const juce::Message& message)
{
    if (auto* broadcast = dynamic_cast<const BroadcastMessage*> (&message);
        broadcast != nullptr && broadcast->id == MessageIds::dataChanged)
        refresh();
}

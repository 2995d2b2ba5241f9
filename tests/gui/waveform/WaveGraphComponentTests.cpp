#include "gui/waveform/WaveformTestSupport.h"

#include "gui/dialogs/DialogTestSupport.h"
#include "gui/main/CommandManagerBench.h"
#include "gui/waveform/WaveGraphComponent.h"

#include <gtest/gtest.h>

using namespace WaveformTestSupport;

namespace
{
// A mono sample of 20001 frames, start 100, end 800, shown 4 frames per
// pixel on lanes 513 pixels wide (2048 frames visible).
struct GraphTest : ::testing::Test
{
    CommandManagerBench bench;
    std::unique_ptr<WaveGraphComponent> graph;

    GraphTest()
    {
        auto& sample = bench.sample (0);
        CommandTestSupport::fillSample (sample, 20001);
        sample.setParameter (SampleData::start, 100);
        sample.setParameter (SampleData::end, 800);
        bench.view = { 0, 4 };
        graph = std::make_unique<WaveGraphComponent> (bench, *bench.preferences.get());
        graph->setBounds (0, 0, 515, 296);
    }

    int point (int parameter) { return bench.sample (0).getParameter (parameter); }
};
}

TEST_F (GraphTest, TheEndMarkerDraggedOntoTheStartStaysOneFrameAfterItAsOneUndoStep)
{
    drag (graph->getMarkerStrip(), { 200, 7 }, { 25, 7 });
    DialogTestSupport::deliverPosted();

    EXPECT_EQ (point (SampleData::start), 100);
    EXPECT_EQ (point (SampleData::end), 101);

    bench.history.undo();
    EXPECT_EQ (point (SampleData::end), 800);
}

TEST_F (GraphTest, TheStartMarkerDraggedWithShiftSnapsToTheNearestZeroCrossing)
{
    // sin (0.1 i) changes sign between frames 31 and 32.
    drag (graph->getMarkerStrip(), { 25, 7 }, { 9, 7 }, juce::ModifierKeys::shiftModifier);
    DialogTestSupport::deliverPosted();

    EXPECT_EQ (point (SampleData::start), 32);
}

TEST_F (GraphTest, ZoomInStopsAtOneFramePerPixelAndZoomOutDoublesAndIsKept)
{
    graph->zoomIn();
    graph->zoomIn();
    graph->zoomIn();
    EXPECT_EQ (graph->getViewInfo().scale, 1);

    graph->zoomOut();
    graph->zoomOut();
    graph->zoomOut();
    EXPECT_EQ (graph->getViewInfo().scale, 8);
    EXPECT_EQ (bench.view.scale, 8);
    EXPECT_EQ (bench.preferences.get()->getNumber (PreferencesData::waveGraphViewScale), 8);
    EXPECT_EQ (graph->getScrollBar().getMaximumRangeLimit(), 20000 / 8);
}

TEST_F (GraphTest, AutoScrollCentresThePlayPositionAndStopsAtTheEnd)
{
    auto& player = bench.players->getSamplePlayer();
    bench.players->play();

    player.setPlayPosition (5000);
    graph->updatePlayCursor();
    EXPECT_EQ (graph->getViewInfo().offset, 5000 - 1024);
    EXPECT_EQ (bench.view.offset, 5000 - 1024) << "a refresh keeps the view";
    EXPECT_EQ (graph->getSelectionLayer().getPlayPosition(), 5000);

    player.setPlayPosition (19900);
    graph->updatePlayCursor();
    EXPECT_EQ (graph->getViewInfo().offset, 20000 - 2048);

    graph->setAutoScroll (false);
    player.setPlayPosition (100);
    graph->updatePlayCursor();
    EXPECT_EQ (graph->getViewInfo().offset, 20000 - 2048);
    bench.players->stop();
}

TEST_F (GraphTest, TheWheelZoomsAroundThePointerAndScrollsWithShift)
{
    bench.view = { 1000, 4 };
    graph->refresh();

    juce::MouseWheelDetails wheel {};
    wheel.deltaY = 0.2f;
    graph->mouseWheelMove (leftMouse (*graph, { 101, 100 }), wheel);   // lane column 100: frame 1400
    EXPECT_EQ (graph->getViewInfo(), (WaveGraphViewInfo { 1400 - 200, 2 }));

    wheel.deltaY = -0.2f;
    graph->mouseWheelMove (leftMouse (*graph, { 101, 100 }, juce::ModifierKeys::shiftModifier), wheel);
    EXPECT_EQ (graph->getViewInfo(), (WaveGraphViewInfo { 1200 + 103 * 2, 2 }));
}

TEST_F (GraphTest, ASelectionDraggedInTheGraphBecomesTheContextsSelection)
{
    drag (graph->getSelectionLayer(), { 10, 100 }, { 20, 100 });

    const auto& selection = bench.getWaveSelection();
    EXPECT_EQ (selection.start, 40);
    EXPECT_EQ (selection.end, 80);
    EXPECT_EQ (selection.channelFlags[0], 1);
}

#include "gui/waveform/WaveformTestSupport.h"

#include "gui/waveform/WaveOperationComponent.h"
#include "gui/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>

using namespace WaveformTestSupport;

namespace
{
// A stereo layer 110 high: rows 0 to 30 are channel 0, 80 to 109 channel 1.
struct SelectionLayer : ::testing::Test
{
    WaveOperationComponent layer;
    RecordingListener heard;

    SelectionLayer()
    {
        layer.setBounds (0, 0, 200, 110);
        layer.setLimit (1000, 2);
        layer.setViewInfo ({ 100, 2 });
        layer.addWaveGraphListener (&heard);
    }

    static WaveSelectedStatus selection (int start, int end, bool channel0, bool channel1)
    {
        return { start, end, { (uint8_t) channel0, (uint8_t) channel1 } };
    }
};

struct RowCase
{
    int y;
    bool channel0, channel1;
};
}

TEST_F (SelectionLayer, TheRowUnderTheMouseChoosesTheChannels)
{
    const RowCase rows[] = { { 0, true, false }, { 30, true, false }, { 31, true, true },
                             { 79, true, true }, { 80, false, true }, { 109, false, true } };

    for (auto& row : rows)
    {
        layer.setSelection ({});
        drag (layer, { 10, row.y }, { 50, row.y });
        ASSERT_FALSE (heard.selections.empty());
        EXPECT_EQ (heard.selections.back(), selection (120, 200, row.channel0, row.channel1)) << "row " << row.y;
    }
}

TEST_F (SelectionLayer, DraggingBackwardsAndBeyondTheSampleHoldsTheSelectionToItsFrames)
{
    drag (layer, { 50, 55 }, { 900, 55 });
    EXPECT_EQ (heard.selections.back(), selection (200, 999, true, true));

    layer.setSelection ({});
    drag (layer, { 50, 55 }, { -80, 55 });
    EXPECT_EQ (heard.selections.back(), selection (0, 200, true, true));
}

TEST_F (SelectionLayer, AClickClearsASelectionAndOnlyAClickWithoutOneMovesThePlayPosition)
{
    layer.setSelection (selection (120, 200, true, true));
    layer.setPlayPosition (300);

    click (layer, { 100, 55 });
    EXPECT_TRUE (heard.playPositions.empty());
    EXPECT_EQ (heard.selections.back(), WaveSelectedStatus {});

    click (layer, { 150, 55 });
    EXPECT_EQ (heard.playPositions, std::vector<int> { 400 });
}

TEST_F (SelectionLayer, AnEdgeOfTheSelectionCanBeDraggedInItsChannel)
{
    layer.setSelection (selection (120, 200, true, false));

    drag (layer, { 54, 10 }, { 70, 10 });   // the end edge at pixel 50
    EXPECT_EQ (heard.selections.back(), selection (120, 240, true, false));

    layer.setSelection (selection (120, 200, true, false));
    drag (layer, { 12, 10 }, { 60, 10 });   // the start edge at pixel 10, dragged past the end
    EXPECT_EQ (heard.selections.back(), selection (200, 220, true, false));
}

TEST_F (SelectionLayer, DraggingBeyondAnEdgeScrollsByTheOvershootDownToTheStart)
{
    layer.mouseDown (leftMouse (layer, { 50, 55 }));
    layer.mouseDrag (leftMouse (layer, { -30, 55 }, {}, true));
    layer.scrollForOvershoot();
    layer.mouseUp (leftMouse (layer, { -30, 55 }, {}, true));

    ASSERT_EQ (heard.views.size(), 1u);
    EXPECT_EQ (heard.views[0].offset, 40);
}

TEST_F (SelectionLayer, PaintsTheSelectedChannelsShareAndThePlayCursor)
{
    layer.setSelection (selection (120, 200, false, true));
    layer.setPlayPosition (400);
    const auto image = WidgetTestSupport::render (layer);

    const auto selected = juce::Colours::transparentBlack.overlaidWith (juce::Colour (WaveOperationComponent::selectionColour));
    EXPECT_TRUE (WidgetTestSupport::closeTo (image.getPixelAt (10, 80), selected));
    EXPECT_TRUE (WidgetTestSupport::closeTo (image.getPixelAt (50, 56), selected));
    EXPECT_EQ (image.getPixelAt (51, 80).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (20, 20).getAlpha(), 0);
    EXPECT_GT (image.getPixelAt (150, 5).getAlpha(), 0);
}

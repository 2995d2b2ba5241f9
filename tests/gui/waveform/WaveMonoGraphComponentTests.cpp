#include "gui/waveform/WaveformTestSupport.h"

#include "TestSupport.h"
#include "gui/waveform/WaveMonoGraphComponent.h"
#include "gui/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>

namespace
{
// Eight drawn frames and the guard frame, which would reach the top if it
// were drawn. The lane is 20 rows high: the centre is row 10.
const std::vector<float> frameValues { 0.5f, -0.3f, 0.0f, 1.0f, -1.0f, 0.25f, 0.0f, 0.0f, 0.9f };

// Rows top … bottom − 1 of each column, worked out by hand: hi = (int) (10 ×
// maximum) rows above the centre down to lo = (int) (10 × minimum), one row
// above the centre for silence. Start 1 and end 5 make columns 1 to 4 bright.
struct Column
{
    int x, top, bottom;
    bool bright;
};

const Column expectedColumns[] = {
    { 0, 5, 10, false },  { 1, 10, 13, true }, { 2, 9, 10, true },  { 3, 0, 10, true },
    { 4, 10, 20, true },  { 5, 8, 10, false }, { 6, 9, 10, false }, { 7, 9, 10, false },
    // After the last drawn frame: the centre line.
    { 8, 9, 10, false },  { 9, 9, 10, false }, { 10, 9, 10, false }, { 11, 9, 10, false },
};

struct LaneDrawing : ::testing::Test
{
    TestSupport::ScopedBufferIds bufferIds;
    SampleData sample;
    WaveMonoGraphComponent lane { 0 };

    juce::Image draw (int scale)
    {
        lane.setBounds (0, 0, 12, 20);
        lane.setSample (&sample);
        lane.setPoints (1 * scale, 5 * scale);
        lane.setViewInfo ({ 0, scale });
        return WidgetTestSupport::render (lane);
    }

    static juce::Colour shade (bool bright)
    {
        return juce::Colours::black.overlaidWith (juce::Colour (bright ? WaveMonoGraphComponent::brightColour
                                                                       : WaveMonoGraphComponent::dimColour));
    }
};
}

TEST_F (LaneDrawing, ColumnsSpanEachFramesPeakAndTheCentreAndSkipTheGuardFrame)
{
    WaveformTestSupport::fillFrames (sample, { frameValues });
    const auto image = draw (1);

    for (auto& column : expectedColumns)
        for (int y = 0; y < 20; ++y)
        {
            const bool inside = y >= column.top && y < column.bottom;
            EXPECT_TRUE (WidgetTestSupport::closeTo (image.getPixelAt (column.x, y), inside ? shade (column.bright) : juce::Colours::black))
                << "column " << column.x << " row " << y;
        }
}

// Each block of 256 frames holds one of the values above, so the table of
// block peaks must give the same columns as single frames at scale 1.
TEST_F (LaneDrawing, ThePeakTableAtScale256DrawsWhatTheFramesDrawAtScale1)
{
    WaveformTestSupport::fillFrames (sample, { frameValues });
    const auto atScale1 = draw (1);

    std::vector<float> blocks;
    for (size_t i = 0; i + 1 < frameValues.size(); ++i)
        blocks.insert (blocks.end(), 256, frameValues[i]);
    blocks.push_back (0.9f);
    WaveformTestSupport::fillFrames (sample, { blocks });
    const auto atScale256 = draw (256);

    for (int x = 0; x < 12; ++x)
        for (int y = 0; y < 20; ++y)
            ASSERT_EQ (atScale256.getPixelAt (x, y), atScale1.getPixelAt (x, y)) << x << ", " << y;
}

TEST_F (LaneDrawing, AnEmptySampleDrawsOnlyTheDimCentreLine)
{
    WaveformTestSupport::fillFrames (sample, { { 0.7f } });
    const auto image = draw (1);

    for (int x = 0; x < 12; ++x)
    {
        EXPECT_TRUE (WidgetTestSupport::closeTo (image.getPixelAt (x, 9), shade (false))) << x;
        EXPECT_EQ (image.getPixelAt (x, 5), juce::Colours::black) << x;
    }
}

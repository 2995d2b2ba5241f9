#include "gui/widgets/WidgetTestSupport.h"

#include "gui/main/MemorySizeBar.h"
#include "gui/main/MemorySizeBarModel.h"
#include "support/EnglishResource.h"

#include <gtest/gtest.h>

#include <vector>

using namespace WidgetTestSupport;

namespace
{
const juce::Colour red (0xffdd0000);
const juce::Colour orange (0xffe17100);
const juce::Colour darkOrange (0xffaf4000);
const juce::Colour untouched (0x00000000);

struct Segment { int size; bool highlighted; };

struct FixedModel : MemorySizeBarModel
{
    std::vector<Segment> segments;
    bool isSegmentHighlighted (const MemorySizeBar&, int i) const override { return segments[(size_t) i].highlighted; }
    int getSegmentSize (const MemorySizeBar&, int i) const override { return segments[(size_t) i].size; }
};

// The sample bar of the bank strip: 110 × 11, capacity 468, so that one
// unit is 108 / 468 pixels wide.
juce::Image renderSampleBar (const std::vector<Segment>& segments)
{
    FixedModel model;
    model.segments = segments;
    MemorySizeBar bar ("bar", model, (int) segments.size(), 468);
    bar.setSize (110, 11);
    bar.update();
    return render (bar);
}

struct PixelCase
{
    const char* what;
    std::vector<Segment> segments;
    int x;
    juce::Colour expected;
};
}

TEST (MemorySizeBar, PaintsSegmentsFromTheLeftAndRedWhenOverCapacity)
{
    const TestSupport::EnglishResource english;
    const PixelCase cases[] = {
        { "a segment from the left edge",            { { 100, false } },              1,  orange },
        { "a highlighted segment is darker",          { { 100, true } },               1,  darkOrange },
        { "the next segment follows at 50 units",     { { 50, false }, { 50, true } }, 10, orange },
        { "",                                         { { 50, false }, { 50, true } }, 13, darkOrange },
        { "empty segments take no width",             { { 0, true }, { 50, false } },  1,  orange },
        { "the bar beyond the used part is left",     { { 50, false } },               20, untouched },
        { "exactly the capacity is not full",         { { 468, false } },              1,  orange },
        { "one unit more is full",                    { { 468, false }, { 1, false } }, 1, red },
    };

    for (auto& c : cases)
        EXPECT_EQ (renderSampleBar (c.segments).getPixelAt (c.x, 1), c.expected) << c.what << " at x " << c.x;
}

TEST (MemorySizeBar, ExactlyFullShowsNoRedAnywhere)
{
    const TestSupport::EnglishResource english;
    const auto image = renderSampleBar ({ { 468, false } });
    bool textDrawn = false;

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            ASSERT_NE (image.getPixelAt (x, y), red) << x << ", " << y;
            textDrawn = textDrawn || image.getPixelAt (x, y) == juce::Colours::white;
        }

    EXPECT_TRUE (textDrawn) << "\"0% Free\" in white";
}

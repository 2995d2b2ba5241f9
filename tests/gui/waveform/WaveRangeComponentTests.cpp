#include "gui/waveform/WaveRangeComponent.h"

#include <gtest/gtest.h>

namespace
{
struct HitCase
{
    int start, end, x;
    WaveRangeComponent::Marker expected;
};
}

// Apart, each marker is grabbed within 5 pixels, the end first; close
// together, the start only on its left and the end only on its right.
TEST (WaveRangeComponent, MarkersAreGrabbedByTheirHitRules)
{
    using M = WaveRangeComponent::Marker;
    const HitCase cases[] = {
        { 20, 100, 95, M::endMarker },   { 20, 100, 105, M::endMarker }, { 20, 100, 106, M::noMarker },
        { 20, 100, 15, M::startMarker }, { 20, 100, 25, M::startMarker }, { 20, 100, 50, M::noMarker },
        { 50, 53, 45, M::startMarker },  { 50, 53, 49, M::startMarker }, { 50, 53, 50, M::noMarker },
        { 50, 53, 53, M::endMarker },    { 50, 53, 58, M::endMarker },   { 50, 53, 59, M::noMarker },
    };

    WaveRangeComponent strip;
    strip.setBounds (0, 0, 200, 15);
    strip.setLimit (1000);
    strip.setViewInfo ({ 0, 1 });

    for (auto& c : cases)
    {
        strip.setPoints (c.start, c.end);
        EXPECT_EQ (strip.markerAt (c.x), c.expected) << c.start << "-" << c.end << " at " << c.x;
    }
}

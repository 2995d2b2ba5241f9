#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

class MemorySizeBarModel;

// A bar of memory use: one coloured block per segment, from the left, and
// the free share as "<n>% Free" on the right; all red with "Memory Full"
// when the segments take more than the capacity. The rest of the bar is
// left to the background.
class MemorySizeBar : public juce::Component
{
public:
    // The model must outlive the bar. Capacity in the model's units.
    MemorySizeBar (const juce::String& name, const MemorySizeBarModel& model, int numSegments, int capacity);

    // Re-reads every segment from the model and repaints.
    void update();

    void paint (juce::Graphics&) override;

private:
    struct Segment
    {
        bool highlighted = false;
        int size = 0;
    };

    int getUsed() const;
    void paintFull (juce::Graphics&);
    void paintSegments (juce::Graphics&, int used);

    const MemorySizeBarModel& model;
    const int capacity;
    std::vector<Segment> segments;
};

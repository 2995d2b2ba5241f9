#pragma once

#include "app/WaveSelection.h"

// What the parts of the waveform graph report to the graph that holds them.
class WaveGraphListener
{
public:
    virtual ~WaveGraphListener() = default;

    virtual void selectionChanged (const WaveSelectedStatus& selection) = 0;
    virtual void playPositionChanged (int frame) = 0;
    virtual void rangeChanged (int startFrame, int endFrame) = 0;
    virtual void viewChanged (const WaveGraphViewInfo& view) = 0;
};

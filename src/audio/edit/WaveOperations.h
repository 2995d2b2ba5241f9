#pragma once

#include "app/WaveSelection.h"

class SampleData;

// The waveform commands on a sample's audio. Each works on the selection
// (start and end inclusive, one flag per channel) and leaves the sample as it
// was when the selection does not fit the sample's real frames (the last
// frame is the silent guard frame and is never selected).
namespace WaveOperations
{
    void deleteSelection (SampleData& sample, const WaveSelectedStatus& selection);
    void truncate (SampleData& sample, const WaveSelectedStatus& selection);
    void silence (SampleData& sample, const WaveSelectedStatus& selection);
    void normalize (SampleData& sample, const WaveSelectedStatus& selection);
    void fadeIn (SampleData& sample, const WaveSelectedStatus& selection);
    void fadeOut (SampleData& sample, const WaveSelectedStatus& selection);

    // Select All: frames 0 ... F - 2 with both flags (start -1, end 0 for a
    // sample of at most one frame).
    WaveSelectedStatus selectAll (const SampleData& sample);

    // Select Between Start/End Points.
    WaveSelectedStatus selectBetweenPoints (const SampleData& sample);

    // Convert Range to Start/End Points: the start and end points the
    // selection stands for, kept apart by at least one frame. False when no
    // channel flag is set.
    bool pointsForSelection (const SampleData& sample, const WaveSelectedStatus& selection, int& start, int& end);

    // Start and end points must differ: an equal pair is pulled apart by one
    // frame (the start moves down when it can, else the end moves up).
    void separateEqualPoints (SampleData& sample);
}

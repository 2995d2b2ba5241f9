#pragma once

#include "app/WaveSelection.h"

#include <juce_core/juce_core.h>

class SampleData;

// The waveform commands on a sample's audio. Each works on the selection
// (start and end inclusive, one flag per channel). When the selection does
// not fit the sample's real frames (the start after the end, a frame outside
// the sample, the last frame, which is the silent guard frame, or no channel
// for Delete and Truncate) the sample is left exactly as it was and the
// operation returns invalidSelectionKey; otherwise it returns an empty string.
namespace WaveOperations
{
    using Operation = juce::String (*) (SampleData& sample, const WaveSelectedStatus& selection);

    inline const char* const invalidSelectionKey = "Error_WaveEditInvalidSelection";

    juce::String deleteSelection (SampleData& sample, const WaveSelectedStatus& selection);
    juce::String truncate (SampleData& sample, const WaveSelectedStatus& selection);
    juce::String silence (SampleData& sample, const WaveSelectedStatus& selection);
    juce::String normalize (SampleData& sample, const WaveSelectedStatus& selection);
    juce::String fadeIn (SampleData& sample, const WaveSelectedStatus& selection);
    juce::String fadeOut (SampleData& sample, const WaveSelectedStatus& selection);

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

#pragma once

class SampleData;

// Where a waveform crosses zero: frames at which a channel is silent or
// changes sign from the frame before.
namespace ZeroCrossing
{
    // The crossing of any channel nearest to frame among frames 0 … limit − 1
    // (the earlier one of two equally near); frame itself when there is none.
    int nearest (const SampleData& sample, int frame, int limit);
}

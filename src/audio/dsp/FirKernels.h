#pragma once

#include "audio/dsp/DspPlatform.h"

// The inner sums of the filter engines, one implementation per path. Every
// path computes the same sum; only the rounding of the partial sums differs.
namespace FirKernels
{
// Σ coeffs[k] · history[k] for k < n. The vector paths need n to be a
// multiple of 4 (the polyphase tables are padded to that).
float dotProduct (DspPath path, const float* coeffs, const float* history, int n);

// The symmetric FIR sum over an odd number of taps: window[0] is the oldest
// input, window[taps − 1] the newest, and coeffs the first half of the
// symmetric impulse response plus its centre. Pairs of inputs that share a
// coefficient are added before they are multiplied.
float symmetricFir (DspPath path, const float* coeffs, const float* window, int taps);
}

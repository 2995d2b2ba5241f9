#pragma once

#include "audio/dsp/DspPlatform.h"

// The inner sums of the filter engines, one set per path. Every path
// computes the same sums; only the rounding of the partial sums differs.
struct FirKernels
{
    // Σ coeffs[k] · history[k] for k < n. The vector paths need n to be a
    // multiple of 4 (the polyphase tables are padded to that).
    float (*dotProduct) (const float* coeffs, const float* history, int n);

    // Two dot products of the same coefficients with two histories (the two
    // channels of a stereo signal), sharing the coefficient loads.
    void (*dotProductPair) (const float* coeffs, const float* history0, const float* history1, int n,
                            float& sum0, float& sum1);

    // The symmetric FIR sum over an odd number of taps: window[0] is the
    // oldest input, window[taps − 1] the newest, and coeffs the first half of
    // the symmetric impulse response plus its centre. Pairs of inputs that
    // share a coefficient are added before they are multiplied.
    float (*symmetricFir) (const float* coeffs, const float* window, int taps);

    static const FirKernels& forPath (DspPath path);
};

#include "audio/dsp/FilterCoeffs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr double pi = 3.14159265358979323846;

// I0 by its series to convergence, for comparison.
double besselI0Converged (double x)
{
    double sum = 1.0, term = 1.0;
    for (int k = 1; k < 200; ++k)
    {
        term *= (x / 2.0) / k;
        sum += term * term;
    }
    return sum;
}
}

TEST (FilterCoeffs, BesselSeriesHasExactlyFifteenTerms)
{
    EXPECT_DOUBLE_EQ (CKaiserWindowCoeffs::besselI0 (0.0, 15), 1.0);
    // I0(1) = 1.2660658777520082…
    EXPECT_NEAR (CKaiserWindowCoeffs::besselI0 (1.0, 15), 1.2660658777520082, 1e-15);
    // I0(2) = 1 + 1 + 1/4 + 1/36 + 1/576 + …
    EXPECT_NEAR (CKaiserWindowCoeffs::besselI0 (2.0, 15), 2.2795853023360673, 1e-14);

    // For large arguments the cut series falls short of the converged value
    // by exactly the terms past k = 15.
    const double x = 30.0;
    double missing = 0.0, term = 1.0;
    for (int k = 1; k < 200; ++k)
    {
        term *= (x / 2.0) / k;
        if (k > 15)
            missing += term * term;
    }
    EXPECT_GT (missing, 1.0);
    EXPECT_NEAR (CKaiserWindowCoeffs::besselI0 (x, 15), besselI0Converged (x) - missing,
                 besselI0Converged (x) * 1e-14);
}

TEST (FilterCoeffs, KaiserBetaFollowsTheEmpiricalFormula)
{
    EXPECT_EQ (CKaiserWindowCoeffs::betaForAttenuation (21.0), 0.0);
    EXPECT_NEAR (CKaiserWindowCoeffs::betaForAttenuation (40.0), 0.5842 * std::pow (19.0, 0.4) + 0.07886 * 19.0, 1e-12);
    EXPECT_NEAR (CKaiserWindowCoeffs::betaForAttenuation (100.0), 0.1102 * 91.3, 1e-12);
    EXPECT_NEAR (CKaiserWindowCoeffs::betaForAttenuation (120.0), 12.26526, 1e-5);
}

TEST (FilterCoeffs, WindowDefaultsAndRectangularWindow)
{
    CKaiserWindowCoeffs window;
    EXPECT_EQ (window.getLength(), 48);
    EXPECT_EQ (window.getAttenuation(), 80.0);

    window.setAttenuation (20.0);
    EXPECT_EQ (window.getBeta(), 0.0);
    for (int n = 0; n < 48; ++n)
        EXPECT_DOUBLE_EQ (window.getValue (n), 1.0);
    EXPECT_EQ (window.getValue (48), 0.0);
}

TEST (FilterCoeffs, KaiserWindowSpotValues)
{
    CKaiserWindowCoeffs window;
    window.setLength (11);
    window.setAttenuation (60.0);
    const double beta = 0.1102 * (60.0 - 8.7);
    const double i0Beta = CKaiserWindowCoeffs::besselI0 (beta, 15);

    EXPECT_NEAR (window.getValue (5), 1.0, 1e-15);                                   // centre
    EXPECT_NEAR (window.getValue (0), 1.0 / i0Beta, 1e-15);                          // edges: I0(0) / I0(β)
    const double t = (2.0 - 5.0) * 2.0 / 10.0;                                        // n = 2
    EXPECT_NEAR (window.getValue (2), CKaiserWindowCoeffs::besselI0 (beta * std::sqrt (1.0 - t * t), 15) / i0Beta, 1e-15);
    EXPECT_NEAR (window.getValue (2), window.getValue (8), 1e-15);                    // symmetric
}

TEST (FilterCoeffs, WindowedSincSpotValues)
{
    CFirLpfCoeffs filter;
    EXPECT_EQ (filter.getSampleRate(), 2822400);
    EXPECT_EQ (filter.getCutoff(), 158000);
    EXPECT_EQ (filter.getGain(), 1.0);

    filter.setAttenuation (100.0);
    filter.setLength (193);
    filter.setSampleRate (88200);
    filter.setCutoff (22050);
    filter.setGainDb (6.0206);

    const double g = std::pow (10.0, 6.0206 / 20.0);
    EXPECT_NEAR (g, 2.0, 1e-4);
    EXPECT_NEAR (filter.getValue (96), g * 0.5, 1e-15);                               // centre: G · 2fc/Fs
    // d = 1: half-band sinc at π/2, times the window.
    EXPECT_NEAR (filter.getValue (97), g * 0.5 * std::sin (pi / 2) / (pi / 2) * filter.CKaiserWindowCoeffs::getValue (97), 1e-15);
    EXPECT_NEAR (filter.getValue (98), 0.0, 1e-15);                                   // zero of the half-band sinc
    EXPECT_EQ (filter.getValue (193), 0.0);
    EXPECT_EQ (filter.getDelay(), 96);
}

TEST (FilterCoeffs, OversamplingFilterScalesByTheUpFactor)
{
    COversamplingFilterCoeffs coeffs;
    EXPECT_EQ (coeffs.getBaseRate(), 44100);
    coeffs.setLength (15361);
    coeffs.setSampleRate (44100);
    coeffs.setUpFactor (160.0);
    coeffs.setCutoff (22050);

    EXPECT_EQ (coeffs.getSampleRate(), 7056000);
    EXPECT_NEAR (coeffs.getValue (7680), 160.0 * 2.0 * 22050.0 / 7056000.0, 1e-12);
    EXPECT_EQ (coeffs.getDelay(), 48);   // (15361 / 2) / 160
}

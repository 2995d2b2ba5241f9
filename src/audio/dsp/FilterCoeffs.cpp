#include "audio/dsp/FilterCoeffs.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double pi = 3.14159265358979323846;
}

//==============================================================================
CKaiserWindowCoeffs::CKaiserWindowCoeffs()
{
    updateBeta();
}

void CKaiserWindowCoeffs::setLength (int numTaps)
{
    length = numTaps;
    centre = (numTaps - 1) / 2.0;
    reciprocalLengthMinusOne = numTaps > 1 ? 1.0 / (numTaps - 1) : 0.0;
}

double CKaiserWindowCoeffs::getValue (int n) const
{
    if (n < 0 || n >= length)
        return 0.0;

    const double t = (n - centre) * 2.0 * reciprocalLengthMinusOne;
    const double radicand = std::max (0.0, 1.0 - t * t);
    return besselI0 (beta * std::sqrt (radicand), besselTerms) * reciprocalI0Beta;
}

void CKaiserWindowCoeffs::setAttenuation (double attenuationDb)
{
    attenuation = attenuationDb;
    updateBeta();
}

void CKaiserWindowCoeffs::setBesselTerms (int numTerms)
{
    besselTerms = numTerms;
    updateBeta();
}

void CKaiserWindowCoeffs::updateBeta()
{
    beta = betaForAttenuation (attenuation);
    reciprocalI0Beta = 1.0 / besselI0 (beta, besselTerms);
}

double CKaiserWindowCoeffs::betaForAttenuation (double a)
{
    if (a <= 21.0)
        return 0.0;

    if (a < 50.0)
        return 0.5842 * std::pow (a - 21.0, 0.4) + 0.07886 * (a - 21.0);

    return 0.1102 * (a - 8.7);
}

double CKaiserWindowCoeffs::besselI0 (double x, int numTerms)
{
    const double half = x / 2.0;
    double sum = 1.0;
    double term = 1.0;   // (x/2)^k / k!

    for (int k = 1; k <= numTerms; ++k)
    {
        term *= half / k;
        sum += term * term;
    }
    return sum;
}

//==============================================================================
CFirLpfCoeffs::CFirLpfCoeffs()
{
    updateCutoffTerms();
}

double CFirLpfCoeffs::getValue (int n) const
{
    if (n < 0 || n >= getLength())
        return 0.0;

    const double d = n - (getLength() - 1) / 2.0;

    if (d == 0.0)
        return gain * twoFcOverFs;

    const double x = d * twoPiFcOverFs;
    return gain * twoFcOverFs * std::sin (x) / x * CKaiserWindowCoeffs::getValue (n);
}

void CFirLpfCoeffs::setSampleRate (int rate)
{
    setFilterRate (rate);
}

void CFirLpfCoeffs::setFilterRate (int rate)
{
    sampleRate = rate;
    reciprocalSampleRate = 1.0 / rate;
    updateCutoffTerms();
}

int CFirLpfCoeffs::getDelay() const
{
    return getLength() / 2;
}

void CFirLpfCoeffs::setCutoff (int cutoffHz)
{
    cutoff = cutoffHz;
    updateCutoffTerms();
}

void CFirLpfCoeffs::setGainDb (double gainDb)
{
    gain = std::pow (10.0, gainDb / 20.0);
}

void CFirLpfCoeffs::updateCutoffTerms()
{
    twoFcOverFs = 2.0 * cutoff * reciprocalSampleRate;
    twoPiFcOverFs = 2.0 * pi * cutoff * reciprocalSampleRate;
}

//==============================================================================
COversamplingFilterCoeffs::COversamplingFilterCoeffs()
{
    setSampleRate (baseRate);
}

double COversamplingFilterCoeffs::getValue (int n) const
{
    return upFactor * CFirLpfCoeffs::getValue (n);
}

void COversamplingFilterCoeffs::setSampleRate (int rate)
{
    baseRate = rate;
    setFilterRate (rate * (int) upFactor);
}

int COversamplingFilterCoeffs::getDelay() const
{
    return (getLength() / 2) / (int) upFactor;
}

void COversamplingFilterCoeffs::setUpFactor (double factor)
{
    upFactor = factor;
    setFilterRate (baseRate * (int) upFactor);
}

#pragma once

// Coefficient generators of the FIR filters: a Kaiser window, the windowed
// sinc low-pass built on it, and the same low-pass scaled for oversampling.
// All values are computed in double precision at set-up time.

// The Kaiser window w(n) of length N for a stop-band attenuation A.
class CKaiserWindowCoeffs
{
public:
    CKaiserWindowCoeffs();
    virtual ~CKaiserWindowCoeffs() = default;

    virtual void setLength (int numTaps);
    virtual double getValue (int n) const;

    // Stores A (dB) and derives beta and 1 / I0(beta) from it.
    void setAttenuation (double attenuationDb);
    void setBesselTerms (int numTerms);

    int getLength() const { return length; }
    double getBeta() const { return beta; }
    double getAttenuation() const { return attenuation; }

    // Kaiser's empirical beta for a stop-band attenuation in dB.
    static double betaForAttenuation (double attenuationDb);

    // The modified Bessel function I0 by its power series, cut after
    // exactly numTerms terms (not evaluated to convergence).
    static double besselI0 (double x, int numTerms);

private:
    void updateBeta();

    int length = 48;
    double centre = 23.5;
    double beta = 0.0;
    double reciprocalI0Beta = 1.0;
    double reciprocalLengthMinusOne = 1.0 / 47.0;
    double attenuation = 80.0;
    int besselTerms = 15;
};

// The windowed-sinc low-pass h(n) with cutoff fc at rate Fs and linear gain G.
class CFirLpfCoeffs : public CKaiserWindowCoeffs
{
public:
    CFirLpfCoeffs();

    double getValue (int n) const override;
    virtual void setSampleRate (int rate);
    // Group delay in samples at the filter's own rate.
    virtual int getDelay() const;

    void setCutoff (int cutoffHz);
    void setGainDb (double gainDb);

    int getSampleRate() const { return sampleRate; }
    int getCutoff() const { return cutoff; }
    double getGain() const { return gain; }

protected:
    void setFilterRate (int rate);

private:
    void updateCutoffTerms();

    double twoFcOverFs = 0.0;
    double twoPiFcOverFs = 0.0;
    int sampleRate = 2822400;
    double reciprocalSampleRate = 1.0 / 2822400.0;
    int cutoff = 158000;
    double gain = 1.0;
};

// The low-pass of an L-times oversampling filter: designed at L times the
// input rate and scaled by L so that each polyphase branch has the gain G.
class COversamplingFilterCoeffs : public CFirLpfCoeffs
{
public:
    COversamplingFilterCoeffs();

    double getValue (int n) const override;
    // Takes the input (base) rate; the filter runs at base rate × L.
    void setSampleRate (int rate) override;
    // Group delay in input samples.
    int getDelay() const override;

    void setUpFactor (double factor);
    double getUpFactor() const { return upFactor; }
    int getBaseRate() const { return baseRate; }

private:
    double upFactor = 1.0;
    int baseRate = 44100;
};

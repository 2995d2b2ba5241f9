#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The level chain that converted audio passes on its way to the output: a
// DC-cut filter, a gain, a pan, a fade and peak meters, for up to four
// channels. Its settings start neutral, and neutral it passes audio unchanged
// and only updates its meters.

class CDcCutFilter
{
public:
    static constexpr float offCoefficient = 1.0f;

    void setEnabled (bool shouldBeOn);
    bool isEnabled() const { return enabled; }
    // The feedback coefficient depends on the rate when the filter is on.
    void setSampleRate (int rate);
    float getCoefficient() const { return coefficient; }
    void reset();
    void process (float* samples, int channel, int frames);

private:
    void updateCoefficient();

    bool enabled = false;
    int sampleRate = 48000;
    float coefficient = offCoefficient;
    std::array<float, 4> lastInput {};
    std::array<float, 4> lastOutput {};
};

class CGainControl
{
public:
    void setGainDb (double gainDb);
    double getGainDb() const { return gainDb; }
    bool isNeutral() const { return gainDb == 0.0; }
    void process (float* samples, int frames) const;

private:
    double gainDb = 0.0;
    float linearGain = 1.0f;
};

// Balance between two channels: −1 (left only) … 0 (centre) … +1 (right
// only). Bypassed at the centre and for a single channel.
class CPanControl
{
public:
    void setPan (double newPan);
    double getPan() const { return pan; }
    bool isBypassed() const { return pan == 0.0; }
    float getChannelGain (int channel) const;

private:
    double pan = 0.0;
};

// Linear fades at the start and the end of a signal of known length; the
// position counts the frames processed since the last reset.
class CFadeControl
{
public:
    void setSampleRate (int rate) { sampleRate = rate; }
    int getSampleRate() const { return sampleRate; }
    void setLength (int64_t frames) { length = frames; }
    int64_t getLength() const { return length; }
    void setFadeTimes (double fadeInSeconds, double fadeOutSeconds);
    bool isNeutral() const { return fadeInFrames == 0 && fadeOutFrames == 0; }
    void reset() { position = 0; }

    // The gain of one frame; advances the position.
    float nextGain();

private:
    int sampleRate = 48000;
    int64_t length = 0;
    int64_t fadeInFrames = 0;
    int64_t fadeOutFrames = 0;
    int64_t position = 0;
};

// The chain's settings.
class CDynamicControlParams
{
public:
    static constexpr int maxChannels = 4;

    explicit CDynamicControlParams (int channels);
    virtual ~CDynamicControlParams() = default;

    int getNumChannels() const { return numChannels; }
    CDcCutFilter& getDcCut() { return dcCut; }
    CGainControl& getGain() { return gain; }
    CPanControl& getPan() { return pan; }
    CFadeControl& getFade() { return fade; }

    // Gain 0 dB, pan centre, no fade.
    bool isNeutral() const { return gain.isNeutral() && pan.isBypassed() && fade.isNeutral(); }

protected:
    int numChannels;
    CDcCutFilter dcCut;
    CGainControl gain;
    CPanControl pan;
    CFadeControl fade;
};

class CDynamicControl : public CDynamicControlParams
{
public:
    static constexpr float silentPeakDb = -200.0f;

    using CDynamicControlParams::CDynamicControlParams;

    // Passes a block through the chain in place.
    void process (float* const* channels, int numChannelsInBlock, int frames);

    void reset();
    void resetMeters();
    float getPeakDb (int channel) const { return peaks[(size_t) channel]; }

private:
    void applyFade (float* const* channels, int count, int frames);

    std::array<float, maxChannels> peaks { silentPeakDb, silentPeakDb, silentPeakDb, silentPeakDb };
};

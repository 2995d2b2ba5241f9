#include "device/virtual/DemoSounds.h"

#include <juce_core/juce_core.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr double twoPi = juce::MathConstants<double>::twoPi;
constexpr float peakLevel = 0.9f;

int framesFor (double seconds)
{
    return std::max (2, (int) std::lround (seconds * DemoSounds::sampleRate));
}

double timeOf (int frame)
{
    return frame / DemoSounds::sampleRate;
}

// Falls to about -60 dB over the given time.
double decay (double time, double seconds)
{
    return std::exp (-6.9 * time / seconds);
}

// Brings the loudest frame to peakLevel and makes the last frame silent, as
// every sample of the program ends in one silent frame.
std::vector<float> finished (std::vector<float> audio)
{
    audio.back() = 0.0f;
    float peak = 0.0f;

    for (const float value : audio)
        peak = std::max (peak, std::abs (value));

    if (peak > 0.0f)
        for (float& value : audio)
            value *= peakLevel / peak;

    return audio;
}

// White noise from a fixed seed, so that a sound comes out the same each time.
class Noise
{
public:
    explicit Noise (juce::int64 seed) : random (seed) {}
    float next() { return random.nextFloat() * 2.0f - 1.0f; }

private:
    juce::Random random;
};

// Noise with the low end taken away by subtracting a smoothed copy.
class BrightNoise
{
public:
    explicit BrightNoise (juce::int64 seed) : noise (seed) {}

    float next()
    {
        const float white = noise.next();
        smoothed += 0.35f * (white - smoothed);
        return white - smoothed;
    }

private:
    Noise noise;
    float smoothed = 0.0f;
};

// One partial of a wave: its amplitude relative to the fundamental, or 0
// when the wave has no such partial.
double partialAmplitude (DemoSounds::Wave wave, int harmonic, double brightness)
{
    if (wave == DemoSounds::Wave::sine)
        return harmonic == 1 ? 1.0 : 0.0;

    if (wave == DemoSounds::Wave::square && harmonic % 2 == 0)
        return 0.0;

    return std::pow (brightness, harmonic - 1) / harmonic;
}
}

namespace DemoSounds
{
std::vector<float> kick (double endHz, double seconds)
{
    std::vector<float> audio ((size_t) framesFor (seconds));
    double phase = 0.0;

    for (size_t i = 0; i < audio.size(); ++i)
    {
        const double t = timeOf ((int) i);
        const double hz = endHz * (1.0 + 2.0 * std::exp (-t / 0.03));
        phase += twoPi * hz / sampleRate;
        const double click = t < 0.004 ? 0.5 * (1.0 - t / 0.004) : 0.0;
        audio[i] = (float) ((std::sin (phase) + click) * decay (t, seconds));
    }

    return finished (std::move (audio));
}

std::vector<float> snare (double bodyHz, double seconds)
{
    std::vector<float> audio ((size_t) framesFor (seconds));
    BrightNoise noise (7);

    for (size_t i = 0; i < audio.size(); ++i)
    {
        const double t = timeOf ((int) i);
        const double body = std::sin (twoPi * bodyHz * t) * decay (t, seconds * 0.4);
        audio[i] = (float) (0.6 * body + 0.8 * noise.next() * decay (t, seconds));
    }

    return finished (std::move (audio));
}

std::vector<float> clap (double seconds)
{
    std::vector<float> audio ((size_t) framesFor (seconds));
    BrightNoise noise (11);
    const double burstStarts[] = { 0.0, 0.011, 0.022, 0.033 };

    for (size_t i = 0; i < audio.size(); ++i)
    {
        const double t = timeOf ((int) i);
        double level = 0.0;

        for (const double start : burstStarts)
            if (t >= start)
                level = start < 0.03 ? decay (t - start, 0.012) : decay (t - start, seconds - start);

        audio[i] = (float) (noise.next() * level);
    }

    return finished (std::move (audio));
}

std::vector<float> hiHat (bool open)
{
    const double seconds = open ? 0.45 : 0.08;
    std::vector<float> audio ((size_t) framesFor (seconds));
    BrightNoise noise (open ? 17 : 13);

    for (size_t i = 0; i < audio.size(); ++i)
        audio[i] = (float) (noise.next() * decay (timeOf ((int) i), seconds));

    return finished (std::move (audio));
}

std::vector<float> tone (Wave wave, double hz, double seconds, double brightness)
{
    std::vector<float> audio ((size_t) framesFor (seconds));
    const int partials = std::max (1, (int) (sampleRate / 2.0 / hz) - 1);
    const double attack = 0.005;
    // Enough partials for a bright tone; more would only slow the first start.
    constexpr int maxPartials = 24;
    const double release = std::min (0.1, seconds / 4.0);

    for (size_t i = 0; i < audio.size(); ++i)
    {
        const double t = timeOf ((int) i);
        double value = 0.0;

        for (int harmonic = 1; harmonic <= std::min (partials, maxPartials); ++harmonic)
            if (const double amplitude = partialAmplitude (wave, harmonic, brightness); amplitude > 0.0)
                value += amplitude * std::sin (twoPi * hz * harmonic * t);

        const double envelope = std::min ({ 1.0, t / attack, (seconds - t) / release });
        audio[i] = (float) (value * std::max (0.0, envelope));
    }

    return finished (std::move (audio));
}
}

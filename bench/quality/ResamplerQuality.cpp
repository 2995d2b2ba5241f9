// Reports the quality of the 44.1 to 48 kHz conversion as the import runs it:
// passband flatness, rejection of images and aliases for sine tones, the
// spectrum of converted white noise, and the THD+N of a 1 kHz tone.

#include "audio/ResamplerMeasurement.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

using namespace ResamplerMeasurement;

namespace
{
// White noise through the converter: the output's level by band relative to
// its level over 1 to 10 kHz, averaged over several spectra.
void measureNoise()
{
    std::mt19937 rng (12345);
    std::uniform_real_distribution<float> dist (-0.5f, 0.5f);
    std::vector<float> noise ((size_t) inputRate * 20);
    for (auto& x : noise)
        x = dist (rng);
    const auto out = convert (noise);

    std::vector<double> average (fftSize / 2 + 1, 0.0);
    int spectra = 0;
    for (size_t start = 4096; start + fftSize < out.size() - 4096; start += fftSize / 2, ++spectra)
    {
        const auto p = powerSpectrum (out, start);
        for (size_t b = 0; b < p.size(); ++b)
            average[b] += p[b];
    }

    const double binWidth = outputRate / fftSize;
    auto bandLevel = [&] (double from, double to) {
        double sum = 0.0;
        int bins = 0;
        for (int b = (int) std::ceil (from / binWidth); b <= (int) (to / binWidth); ++b, ++bins)
            sum += average[(size_t) b];
        return sum / bins;
    };
    const double reference = bandLevel (1000.0, 10000.0);

    std::printf ("\nWhite noise (%d averaged spectra), level relative to 1-10 kHz:\n", spectra);
    const double bands[][2] = { { 20, 1000 }, { 10000, 15000 }, { 15000, 18000 }, { 18000, 19000 }, { 19000, 20000 },
                                { 20000, 20500 }, { 20500, 21000 }, { 21000, 21500 }, { 21500, 22050 },
                                { 22050, 22500 }, { 22500, 23000 }, { 23000, 23500 }, { 23500, 24000 } };
    for (const auto& band : bands)
        std::printf ("  %7.0f - %7.0f Hz: %8.2f dB\n", band[0], band[1], db (bandLevel (band[0], band[1]) / reference));
}
}

int main()
{
    std::printf ("44.1 kHz -> 48 kHz through the conversion pipeline\n\n");
    std::printf ("Sine tones at -6 dBFS (Kaiser-windowed spectra of %d output frames):\n", fftSize);
    std::printf ("  %9s  %10s  %22s\n", "tone Hz", "gain dB", "worst spurious dB @ Hz");

    double lowestGain = 1e9, highestGain = -1e9, worstSpurious = -1e9;
    for (double f : passbandTones)
    {
        const auto r = measureTone (f);
        std::printf ("  %9.0f  %10.5f  %10.1f @ %8.1f\n", f, r.gainDb, r.spuriousDb, r.spuriousFrequency);
        lowestGain = std::min (lowestGain, r.gainDb);
        highestGain = std::max (highestGain, r.gainDb);
        worstSpurious = std::max (worstSpurious, r.spuriousDb);
    }

    std::printf ("\nPassband 20 Hz - 20 kHz: gain %.5f ... %.5f dB (flatness %.5f dB)\n",
                 lowestGain, highestGain, highestGain - lowestGain);
    std::printf ("Image and alias rejection (tones up to 20 kHz): %.1f dB\n", -worstSpurious);
    std::printf ("THD+N of a 1 kHz tone at -6 dBFS: %.1f dB\n", thdPlusNoiseDb (1000.0));

    measureNoise();
    return 0;
}

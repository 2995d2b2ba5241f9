#pragma once

#include <cstddef>
#include <vector>

// Measures the 44.1 to 48 kHz conversion as the import runs it (through the
// conversion pipeline). Shared by the quality tests and the quality report
// of the benchmarks.
namespace ResamplerMeasurement
{
    constexpr double inputRate = 44100.0;
    constexpr double outputRate = 48000.0;
    constexpr int fftSize = 1 << 16;      // frames of one analysed spectrum
    constexpr double toneAmplitude = 0.5; // -6 dBFS

    // The tones measured, from 20 Hz to the top of the passband at 20 kHz.
    constexpr double passbandTones[] = { 20, 50, 100, 200, 500, 1000, 2000, 3000, 5000, 7000, 10000, 12000, 14000,
                                         16000, 17000, 18000, 19000, 19500, 20000 };

    // Mono 44.1 kHz audio converted to 48 kHz.
    std::vector<float> convert (const std::vector<float>& input);

    // Power spectrum (bins 0 … fftSize / 2) of fftSize frames from `start`,
    // under a Kaiser window whose side lobes lie far below anything measured.
    std::vector<double> powerSpectrum (const std::vector<float>& signal, size_t start);

    double db (double powerRatio);

    struct ToneResult
    {
        double gainDb;
        double spuriousDb;       // strongest other component relative to the tone
        double spuriousFrequency;
    };

    // A 3-second sine tone at -6 dBFS through the converter.
    ToneResult measureTone (double frequency);

    // THD+N of such a tone: the residual after a least-squares fit of the
    // tone (sine, cosine and offset), relative to the tone.
    double thdPlusNoiseDb (double frequency);
}

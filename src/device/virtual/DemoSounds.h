#pragma once

#include <vector>

// Short sounds made from sine waves, noise and envelopes, for the banks the
// emulated device starts with in the demo. Each sound is mono audio at
// 48 kHz in the range -1 to +1, ending in silence; the same arguments make
// the same sound every time.
namespace DemoSounds
{
    constexpr double sampleRate = 48000.0;

    // A sine whose pitch falls from three times endHz to endHz, with a click.
    std::vector<float> kick (double endHz, double seconds);

    // A tuned body and a burst of noise.
    std::vector<float> snare (double bodyHz, double seconds);

    // Three quick bursts of noise, then a longer one.
    std::vector<float> clap (double seconds);

    // Noise with its low end removed; open hats ring longer.
    std::vector<float> hiHat (bool open);

    enum class Wave { sine, saw, square };

    // A note of the given wave with a short attack and a release to silence;
    // brightness 0 to 1 sets how much of the upper partials remains.
    std::vector<float> tone (Wave wave, double hz, double seconds, double brightness);
}

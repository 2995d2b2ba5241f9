#include "audio/ResamplerMeasurement.h"

#include "audio/pipeline/AudioFileConverter.h"
#include "data/SampleData.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace ResamplerMeasurement
{
namespace
{
using Complex = std::complex<double>;

std::vector<float> tone (double frequency, int frames)
{
    std::vector<float> v ((size_t) frames);
    for (int i = 0; i < frames; ++i)
        v[(size_t) i] = (float) (toneAmplitude * std::sin (2.0 * M_PI * frequency * i / inputRate));
    return v;
}

double besselI0 (double x)
{
    double sum = 1.0, term = 1.0;   // term = (x/2)^k / k!
    for (int k = 1; k < 500 && term * term > sum * 1e-20; ++k)
    {
        term *= (x / 2.0) / k;
        sum += term * term;
    }
    return sum;
}

// A Kaiser window with side lobes far below anything measured here.
const std::vector<double>& analysisWindow()
{
    static const std::vector<double> window = [] {
        const double beta = 24.0;
        std::vector<double> w (fftSize);
        for (int n = 0; n < fftSize; ++n)
        {
            const double t = 2.0 * n / (fftSize - 1) - 1.0;
            w[(size_t) n] = besselI0 (beta * std::sqrt (1.0 - t * t)) / besselI0 (beta);
        }
        return w;
    }();
    return window;
}

void fft (std::vector<Complex>& a)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i)
    {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap (a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1)
    {
        const Complex step = std::polar (1.0, -2.0 * M_PI / (double) len);
        for (size_t i = 0; i < n; i += len)
        {
            Complex w (1.0);
            for (size_t k = 0; k < len / 2; ++k)
            {
                const Complex u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= step;
            }
        }
    }
}
}

std::vector<float> convert (const std::vector<float>& input)
{
    SampleData source;
    source.resize (1, (int) input.size(), inputRate, false);
    std::copy (input.begin(), input.end(), source.getAudio().getWritePointer (0));

    SampleData destination;
    destination.resize (1, (int) (input.size() * outputRate / inputRate) + 1, outputRate, false);

    SampleDataAudioPlayerInput in (&source);
    SampleDataAudioRecorderOutput out (&destination);
    CAudioFileConverterPcmOutput pipeline (1);
    if (! pipeline.start (&in, &out))
        return {};
    pipeline.run();

    const float* result = destination.getAudio().getReadPointer (0);
    return { result, result + out.getFramesWritten() };
}

std::vector<double> powerSpectrum (const std::vector<float>& signal, size_t start)
{
    const auto& w = analysisWindow();
    std::vector<Complex> a (fftSize);
    for (size_t i = 0; i < (size_t) fftSize; ++i)
        a[i] = signal[start + i] * w[i];
    fft (a);
    std::vector<double> p (fftSize / 2 + 1);
    for (size_t i = 0; i < p.size(); ++i)
        p[i] = std::norm (a[i]);
    return p;
}

double db (double powerRatio) { return 10.0 * std::log10 (std::max (powerRatio, 1e-300)); }

ToneResult measureTone (double frequency)
{
    const auto out = convert (tone (frequency, (int) inputRate * 3));
    const auto p = powerSpectrum (out, (out.size() - fftSize) / 2);
    const double binWidth = outputRate / fftSize;
    const int lobe = 14;   // half width of the window's main lobe in bins
    const int centre = (int) std::lround (frequency / binWidth);

    double tonePower = 0.0, spurious = 0.0;
    int spuriousBin = 0;
    for (int b = 0; b < (int) p.size(); ++b)
    {
        if (std::abs (b - centre) <= lobe)
            tonePower += p[(size_t) b];
        else if (b > lobe && p[(size_t) b] > spurious)
        {
            spurious = p[(size_t) b];
            spuriousBin = b;
        }
    }

    // By Parseval, the lobe of a sine of amplitude A holds A² / 4 · N · Σw².
    double windowPower = 0.0;
    for (double w : analysisWindow())
        windowPower += w * w;
    const double referencePower = toneAmplitude * toneAmplitude / 4.0 * fftSize * windowPower;

    // The strongest spurious bin against the tone's strongest bin.
    double tonePeak = 0.0;
    for (int b = centre - lobe; b <= centre + lobe; ++b)
        tonePeak = std::max (tonePeak, p[(size_t) b]);

    return { db (tonePower / referencePower), db (spurious / tonePeak), spuriousBin * binWidth };
}

double thdPlusNoiseDb (double frequency)
{
    const auto out = convert (tone (frequency, (int) inputRate * 3));
    const size_t start = out.size() / 4, count = out.size() / 2;
    const double omega = 2.0 * M_PI * frequency / outputRate;

    double ss = 0, sc = 0, cc = 0, s1 = 0, c1 = 0, n1 = 0, ys = 0, yc = 0, y1 = 0;
    for (size_t i = 0; i < count; ++i)
    {
        const double s = std::sin (omega * (double) (start + i)), c = std::cos (omega * (double) (start + i)), y = out[start + i];
        ss += s * s; sc += s * c; cc += c * c; s1 += s; c1 += c; n1 += 1; ys += y * s; yc += y * c; y1 += y;
    }
    // Solve the 3 × 3 normal equations by Cramer's rule.
    const double m[3][3] = { { ss, sc, s1 }, { sc, cc, c1 }, { s1, c1, n1 } };
    const double r[3] = { ys, yc, y1 };
    auto det = [] (const double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0])
             + a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    double coeffs[3];
    for (int k = 0; k < 3; ++k)
    {
        double mk[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                mk[i][j] = j == k ? r[i] : m[i][j];
        coeffs[k] = det (mk) / det (m);
    }

    double residual = 0.0, fundamental = 0.0;
    for (size_t i = 0; i < count; ++i)
    {
        const double s = std::sin (omega * (double) (start + i)), c = std::cos (omega * (double) (start + i));
        const double fit = coeffs[0] * s + coeffs[1] * c + coeffs[2];
        residual += (out[start + i] - fit) * (out[start + i] - fit);
        fundamental += (fit - coeffs[2]) * (fit - coeffs[2]);
    }
    return db (residual / fundamental);
}
}

#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <functional>
#include <memory>

class CAudioPlayerInput;
class SampleData;
class SampleRateConversionPipeline;

// Converts a sample to another sampling rate in place, for one conversion.
//
// Between the device's own rates (48, 24, 12 and 6 kHz) the conversion drops
// or repeats frames without a filter: that is how the device itself behaves.
// Audio at any other rate (only imported files have one) is converted with a
// band-limited filter through the conversion pipeline: its fixed converters
// where it has one for the pair of rates, otherwise a resampler built for the
// exact ratio. The filtered result is aligned with the input and its first
// and last few frames are faded.
class SampleDataFsConverter
{
public:
    enum Result { converted = 0, cancelled = 1, notPossible = 2, notEnoughMemory = 3 };

    // The whole sample memory of a bank, in bytes.
    static constexpr juce::int64 bankSampleMemory = 15335424;

    // Asks for the current bank's free sample memory in bytes.
    using FreeMemoryQuery = std::function<juce::int64()>;

    explicit SampleDataFsConverter (FreeMemoryQuery freeSampleMemory);
    ~SampleDataFsConverter();

    // Returns one of Result. On cancelled the audio is incomplete; on
    // notPossible and notEnoughMemory the sample is unchanged.
    int convert (SampleData& sample, double targetRate);

    // Converts audio at a rate that is not one of the device's, read from a
    // source as it goes, into the target (resized; its points untouched), so
    // the source's audio is never held whole. The same results as convert;
    // on notEnoughMemory, and on notPossible for rates it cannot convert,
    // the target is unchanged.
    int convertSource (CAudioPlayerInput& source, double sourceRate, SampleData& target, double targetRate);

    // Any thread: stops a running conversion as soon as it can.
    void cancel();

    static bool isDeviceRate (double rate);

private:
    bool fitsInMemory (int channels, juce::int64 frames, double rate, double targetRate) const;
    void dropFrames (SampleData& sample, int factor);
    void repeatFrames (SampleData& sample, int factor);
    bool convertFiltered (SampleData& sample, double targetRate);
    bool runPipeline (CAudioPlayerInput& source, double sourceRate, SampleData& target, double targetRate);

    FreeMemoryQuery freeSampleMemory;
    std::atomic<bool> cancelFlag { false };
    std::unique_ptr<SampleRateConversionPipeline> pipeline;
    juce::CriticalSection lock;
};

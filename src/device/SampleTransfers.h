#pragma once

#include "data/SampleData.h"
#include "device/ItemSession.h"

#include <array>

// What the sample receive sessions have in common: the header of sample i,
// then the PCM it announces.
class SampleHeaderAndDataReceive : public ItemSession
{
public:
    int getSampleIndex() const noexcept { return sampleIndex; }

protected:
    explicit SampleHeaderAndDataReceive (int sampleIndex);

    // Asks for the header and keeps it; a header the device cannot have
    // sent (a negative byte count or more than a bank's sample memory) is
    // refused. Answers the PCM byte count.
    juce::int64 receiveHeader (UsbAccess& access);

    // Asks for the announced PCM; all of it must arrive.
    void receivePcm (UsbAccess& access, juce::int64 byteCount);

    // Sizes the sample from the header and decodes the PCM that came.
    void decodeInto (SampleData& sample, bool reclampParameters) const;

    const int sampleIndex;

private:
    std::array<uint8_t, SampleData::headerSize> header {};
    juce::MemoryBlock pcm;
};

// Receives header, audio and parameters of sample i into a fresh sample,
// which an undoable action then puts into the edited bank ("ReceiveSample").
class SampleReceive : public SampleHeaderAndDataReceive
{
public:
    explicit SampleReceive (int sampleIndex);

    // The sample as received (the default sample for an empty slot), for a
    // caller without the program's undo manager.
    const SampleData& getReceivedSample() const noexcept { return received; }

protected:
    void transfer (UsbAccess& access) override;

private:
    using ParameterBlock = std::array<uint8_t, SampleData::parameterBlockSize>;

    ParameterBlock receiveParameters (UsbAccess& access);
    void apply();

    SampleData received;
};

// Receives header and audio of sample i straight into a target inside a
// bank transfer; the parameters come with the bank image. The target is
// reset as soon as the header has arrived. The target belongs to a bank
// being received, not to the edited bank: the bank transfer announces the
// bank once it is in place.
class SampleReceiveInternal : public SampleHeaderAndDataReceive
{
public:
    SampleReceiveInternal (SampleData& target, int sampleIndex);

protected:
    void transfer (UsbAccess& access) override;

private:
    SampleData& target;
};

// Transmits a sample to slot i: header and audio, parameters, or both.
class SampleWrite : public ItemSession
{
public:
    enum Mode
    {
        headerAndData = 0,
        parametersOnly = 1,
        everything = 2
    };

    // The sample must stay unchanged while the session runs.
    SampleWrite (const SampleData& sample, int sampleIndex, Mode mode = everything);

    int getSampleIndex() const noexcept { return sampleIndex; }
    Mode getMode() const noexcept { return mode; }

protected:
    void transfer (UsbAccess& access) override;

private:
    void writeHeaderAndData (UsbAccess& access);
    void writeParameters (UsbAccess& access);

    const SampleData& sample;
    const int sampleIndex;
    const Mode mode;
};

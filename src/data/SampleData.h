#pragma once

#include "data/AudioBuffer.h"
#include "data/Data.h"

#include <array>
#include <cstdint>

// One sample: audio with a name, the name of the file it came from, and the
// 14 playback parameters. Its byte images (the 64-byte parameter block, the
// 8-byte header and big-endian 16-bit PCM) are shared by files and the device.
class SampleData : public AudioBuffer, public Data
{
public:
    enum Parameter
    {
        pan, level, veloInt, semitone, tune, decay, release, originalBpm,
        start, end, bpmSync, loop, reverse, fxSw,
        numParameters
    };

    static constexpr int parameterBlockSize = 64;
    static constexpr int headerSize = 8;
    static constexpr int memoryGranule = 32768;
    static constexpr int deviceSampleMemory = 0xEA0000;   // audio bytes one bank of the device holds
    static inline const juce::String chunkId { "3872SmpD" };
    static inline const juce::String defaultName { "INITSMPL" };

    SampleData();
    SampleData (const SampleData& other);
    SampleData& operator= (const SampleData&) = delete;

    // Parameters: every setter clamps to the parameter's range.
    int getParameter (int index) const { return parameters[(size_t) index]; }
    void setParameter (int index, int value);
    int getParameterMinimum (int index) const;
    int getParameterMaximum (int index) const;
    static int getParameterDefault (int index);

    const juce::String& getName() const { return name; }
    void setName (const juce::String& newName);
    const juce::String& getSourceFileName() const { return sourceFileName; }
    void setSourceFileName (const juce::String& newName);
    bool getHeaderFlag() const { return headerFlag; }
    void setHeaderFlag (bool flag) { headerFlag = flag; }

    // Byte images.
    void buildParameterBlock (uint8_t* block) const;
    void parseParameterBlock (const uint8_t* block);
    void buildHeader (uint8_t* header) const;
    int getPcmByteCount() const;

    // Encodes whole frames from firstFrame on into dest, as many as fit in
    // capacity bytes; returns the bytes written.
    int encodePcm (uint8_t* dest, int capacity, int firstFrame = 0) const;

    // Sizes the audio from the header and decodes the whole frames among the
    // PCM bytes available; the rest stays silent. A count beyond both the
    // bytes available and the device's sample memory is taken as the latter. With reclampParameters
    // every parameter is set again so that start and end fit the new length.
    void decodeHeaderAndPcm (const uint8_t* header, const uint8_t* pcm, juce::int64 pcmBytesAvailable,
                             bool reclampParameters);

    static int32_t pcmByteCountOfHeader (const uint8_t* header);
    static double sampleRateOfHeader (const uint8_t* header);
    static int channelsOfHeader (const uint8_t* header);
    static int rateCodeForSampleRate (double rate);
    static int16_t encodeSampleValue (float x);
    static float decodeSampleValue (int16_t v);

    void copyParametersFrom (const SampleData& other);
    void copyFrom (const SampleData& other);

    // As copyFrom, but the audio is moved, not copied.
    void takeFrom (SampleData&& other);

    // Bytes of device memory: the PCM rounded up to a multiple of 32768.
    juce::int64 getMemorySize() const;

    bool writeTo (juce::OutputStream& stream) override;
    bool readFrom (juce::InputStream& stream) override;
    int getChunkSize() const override;
    juce::String getChunkId() const override { return chunkId; }
    void resetToDefaults() override;

private:
    void resetParameters();
    void writePcm (juce::OutputStream& stream) const;
    void readPcm (juce::InputStream& stream, int frames);

    // Takes the rate, channels, tempo and flag of a header and sizes the
    // audio (see decodeHeaderAndPcm); returns the frames to decode.
    int takeHeader (const uint8_t* header, juce::int64 pcmBytesAvailable);
    void decodePcm (const uint8_t* pcm, int firstFrame, int frames);
    static void upgradeParameterBlock (uint8_t* block, int formatVersion);

    juce::String name { defaultName };
    juce::String sourceFileName;
    std::array<int, numParameters> parameters {};
    bool headerFlag = true;
};

// The 36 samples of a bank and the index of the sample being edited.
class SampleSet : public DataSet
{
public:
    static constexpr int numSamples = 36;
    static inline const juce::String chunkId { "3872SmpS" };

    SampleSet();

    SampleData& getSample (int index) const;
    int getCurrentSampleIndex() const { return currentIndex; }
    void setCurrentSampleIndex (int index);
    juce::int64 getMemoryUsed() const;
    void copyFrom (const SampleSet& other);

    juce::String getChunkId() const override { return chunkId; }

private:
    int currentIndex = 0;
};

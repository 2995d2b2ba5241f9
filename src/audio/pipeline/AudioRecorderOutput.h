#pragma once

#include "audio/pipeline/AudioMetaData.h"

#include <cstdint>

class SampleData;

// A destination for the conversion pipeline: takes float frames block by
// block, with markers and metadata copied from the input.
class CAudioRecorderOutput
{
public:
    virtual ~CAudioRecorderOutput() = default;

    // Told before the first block of a run; nothing to do for most outputs.
    virtual void prepareToWrite() {}
    virtual int getSampleRate() const = 0;
    virtual int16_t getNumChannels() const = 0;
    virtual int getBytesPerSample() const = 0;
    // True: the output takes float samples as they are, without dither.
    virtual bool isFloatOutput() const { return true; }
    virtual bool canWriteInBlocks() const { return true; }
    virtual int64_t getLatencyFrames() const { return 0; }
    virtual int64_t getDroppedFrames() const { return 0; }
    // Writes up to `frames` frames of every channel of the output from the
    // source arrays; returns the frames written (0 when full).
    virtual int write (const float* const* sources, int frames) = 0;

    virtual CMarker& getMarkers() { return markers; }
    virtual CAudioMetaData& getMetaData() { return metaData; }

private:
    CMarker markers;
    CAudioMetaData metaData;
};

// Writes into the audio of a sample (not owned) from its start on, until the
// sample is full.
class SampleDataAudioRecorderOutput : public CAudioRecorderOutput
{
public:
    explicit SampleDataAudioRecorderOutput (SampleData* destination);

    int getSampleRate() const override;
    int16_t getNumChannels() const override;
    int getBytesPerSample() const override { return 4; }
    int write (const float* const* sources, int frames) override;

    int getFramesWritten() const { return framesWritten; }

private:
    SampleData* destination;
    int framesWritten = 0;
};

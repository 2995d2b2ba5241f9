#pragma once

#include "audio/pipeline/AudioMetaData.h"

#include <cstdint>

class SampleData;

// Hours, minutes and seconds of a time in seconds.
struct HoursMinutesSeconds
{
    int hours = 0;
    int minutes = 0;
    double seconds = 0.0;

    static HoursMinutesSeconds fromSeconds (double totalSeconds);
};

// A source of audio for the conversion pipeline: float frames read block by
// block from a position, with markers and metadata (empty unless a subclass
// fills them).
class CAudioPlayerInput
{
public:
    virtual ~CAudioPlayerInput() = default;

    virtual bool isValid() const = 0;
    virtual int getSampleRate() const = 0;
    virtual int getBytesPerSample() const = 0;
    virtual int16_t getNumChannels() const = 0;
    virtual int getBytesPerSecond() const;

    // Capabilities: whether the pipeline may copy the audio straight through
    // when no conversion is needed, whether the source is a live stream,
    // whether it is compressed, and whether it can seek.
    virtual bool canBeCopiedDirectly() const { return true; }
    virtual bool isLiveStream() const { return false; }
    virtual bool isCompressed() const { return false; }
    virtual bool canSeek() const { return true; }

    virtual int64_t getLengthInFrames() const = 0;
    virtual int64_t getRemainingFrames() const;
    virtual int64_t getPosition() const = 0;
    virtual void setPosition (int64_t frame) = 0;

    virtual double getLengthInSeconds() const;
    virtual HoursMinutesSeconds getLengthAsTime() const;
    virtual double getPositionInPercent() const;
    virtual double getPositionInSeconds() const;
    virtual HoursMinutesSeconds getPositionAsTime() const;
    virtual void setPositionInPercent (double percent);
    virtual void setPositionInSeconds (double seconds);

    // Raw reads of interleaved frames in the source's own encoding; sources
    // without one clear the destination and return 0.
    virtual int readRaw16 (int16_t* destination, int frames);
    virtual int readRaw32 (int32_t* destination, int frames);
    virtual int readRawFloat (float* destination, int frames);

    // Reads up to `frames` frames of every channel into the destination
    // arrays at the offset; returns the frames read (0 at the end).
    virtual int read (float* const* destinations, int frames, int destinationOffset) = 0;

    virtual CMarker& getMarkers() { return markers; }
    virtual CAudioMetaData& getMetaData() { return metaData; }

private:
    template <typename T> int clearRaw (T* destination, int frames);

    CMarker markers;
    CAudioMetaData metaData;
};

// Reads the audio of a sample (not owned).
class SampleDataAudioPlayerInput : public CAudioPlayerInput
{
public:
    explicit SampleDataAudioPlayerInput (const SampleData* source);

    bool isValid() const override { return source != nullptr; }
    int getSampleRate() const override;
    int getBytesPerSample() const override { return 4; }
    int16_t getNumChannels() const override;
    int64_t getLengthInFrames() const override;
    int64_t getPosition() const override { return position; }
    void setPosition (int64_t frame) override;
    int read (float* const* destinations, int frames, int destinationOffset) override;

private:
    const SampleData* source;
    int64_t position = 0;
};

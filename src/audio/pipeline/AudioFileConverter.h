#pragma once

#include "audio/dsp/Converters.h"
#include "audio/pipeline/AudioPlayerInput.h"
#include "audio/pipeline/AudioRecorderOutput.h"
#include "audio/pipeline/DynamicControl.h"
#include "audio/pipeline/OutputProcess.h"

#include <atomic>
#include <memory>

// Converts a whole piece of audio from an input to an output with the
// fixed-ratio converter for the pair of rates: primes the converter with the
// faded-in start of the input so that its delay is compensated, converts
// block by block, and flushes it with silence while fading the end out.
// start() and run() are called on one thread; stop and pause may be set from
// any other and take effect between blocks.
class CAudioFileConverterBase
{
public:
    static constexpr int inputBufferFrames = 8192;
    static constexpr int outputBufferFrames = 4096;

    explicit CAudioFileConverterBase (int channels);
    virtual ~CAudioFileConverterBase() = default;

    // Binds input and output and prepares the run; false (and the output
    // untouched) without input or output, for channel counts the buffers
    // cannot hold, or for a pair of rates without a converter.
    bool start (CAudioPlayerInput* input, CAudioRecorderOutput* output);

    // Converts everything; does nothing unless the last start succeeded.
    void run();

    // Ends the run at the next block boundary, skipping the flush. A stop
    // set before the run starts is honoured; the run clears it when it ends.
    void setStop (bool shouldStop) { stopFlag = shouldStop; }
    // While set, the run waits between blocks in steps of 200 ms.
    void setPause (bool shouldPause) { pauseFlag = shouldPause; }
    // The next start keeps the converter's state: the signal continues.
    void requestKeepPrimed() { keepPrimedRequest = true; }

    bool isBypassing() const { return bypass; }
    int getCurrentChunkSize() const { return chunkSize; }

    virtual CDynamicControl& getLevels() { return *levels; }

protected:
    virtual bool prepareConverter() = 0;
    virtual void configureLevels();
    virtual int getChunkSize() const;
    virtual void prime() = 0;
    // Converts one chunk; returns the frames written, 0 at the end.
    virtual int step() = 0;
    virtual void flush() = 0;
    virtual void copyUnconverted() = 0;

    bool shouldStop() const { return stopFlag; }
    // Waits while paused; false when the run is to stop.
    bool waitWhilePaused() const;

    CAudioPlayerInput* input = nullptr;
    CAudioRecorderOutput* output = nullptr;
    std::unique_ptr<CConverterPcmOutputDspBase> converter;
    CSimpleBufferPcm inputBuffer;
    std::unique_ptr<CDynamicControl> levels;
    int chunkSize = 0;
    std::atomic<bool> stopFlag { false };
    std::atomic<bool> pauseFlag { false };
    bool started = false;
    bool bypass = false;
    bool keepPrimedRequest = false;
    bool primed = false;
    int16_t numChannels;
};

// The pipeline for PCM outputs, with the table of converters by rate pair.
class CAudioFileConverterPcmOutput : public CAudioFileConverterBase
{
public:
    enum Rolloff { fastRolloff = 0, slowRolloff = 1, plainRolloff = 2 };

    explicit CAudioFileConverterPcmOutput (int channels);

    // Which of the 1-bit-derived converters serves 2822400 Hz to 176400 and
    // 192000 Hz: 0 fast, 1 slow, other values the plain one.
    void setRolloff (int choice) { rolloff = choice; }
    // The output process kind (CAudioRecorderOutputProcessBase::Kind) used
    // when the process is first created.
    void setOutputProcessKind (int kind) { outputProcessKind = kind; }

    // The index of a rate pair in the table (input row + output column), or
    // −1 for rates outside it.
    static int getRatePairIndex (int inputRate, int outputRate);
    // The converter for a pair index, or null for a pair without one.
    static std::unique_ptr<CConverterPcmOutputDspBase> createConverter (int pairIndex, int channels, int rolloff);

protected:
    bool prepareConverter() override;
    void prime() override;
    int step() override;
    void flush() override;
    void copyUnconverted() override;

private:
    int getPrimingFrames() const;
    // Level chain, then writeOut; returns the frames the output took.
    int deliver (int frames);
    // Fills the output's extra channels from channel 0 and hands the block
    // to the output process.
    int writeOut (int frames);

    CSimpleBufferPcm outputBuffer;
    int pairIndex = -1;
    int rolloff = fastRolloff;
    std::unique_ptr<CAudioRecorderOutputProcessBase> outputProcess;
    int outputProcessKind = CAudioRecorderOutputProcessBase::none;
};

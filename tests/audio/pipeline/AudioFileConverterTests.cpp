#include "audio/pipeline/AudioFileConverter.h"
#include "data/SampleData.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
SampleData makeSample (int channels, int frames, double rate)
{
    SampleData sample;
    sample.resize (channels, frames, rate, false);
    return sample;
}

void fillWithSine (SampleData& sample, double frequency)
{
    for (int c = 0; c < sample.getNumChannels(); ++c)
        for (int i = 0; i < sample.getNumFrames(); ++i)
            sample.getAudio().setSample (c, i, (float) (0.5 * std::sin (2.0 * M_PI * frequency * i / sample.getSampleRate() + c)));
}

// An input that records the size of every read and can stop the pipeline
// after a number of reads.
class RecordingInput : public SampleDataAudioPlayerInput
{
public:
    using SampleDataAudioPlayerInput::SampleDataAudioPlayerInput;

    int read (float* const* destinations, int frames, int offset) override
    {
        requests.push_back (frames);
        if (pipelineToStop != nullptr && (int) requests.size() == stopAfterReads)
            pipelineToStop->setStop (true);
        return SampleDataAudioPlayerInput::read (destinations, frames, offset);
    }

    std::vector<int> requests;
    CAudioFileConverterBase* pipelineToStop = nullptr;
    int stopAfterReads = 0;
};
}

TEST (AudioFileConverter, FortyFourToFortyEightCompensatesDelayAndFadesTheEdges)
{
    auto source = makeSample (1, 44101, 44100.0);
    fillWithSine (source, 1000.0);
    auto destination = makeSample (1, 48002, 48000.0);

    RecordingInput input (&source);
    SampleDataAudioRecorderOutput output (&destination);
    CAudioFileConverterPcmOutput pipeline (1);
    ASSERT_TRUE (pipeline.start (&input, &output));
    EXPECT_FALSE (pipeline.isBypassing());
    EXPECT_EQ (pipeline.getCurrentChunkSize(), 3763);   // 4096 × 147 / 160
    pipeline.run();

    // Priming reads the 48 frames of the converter's delay, then whole chunks.
    ASSERT_GE (input.requests.size(), 3u);
    EXPECT_EQ (input.requests[0], 48);
    EXPECT_EQ (input.requests[1], 3763);

    // The reference: the same converter fed the faded-in start, the rest and
    // 48 frames of silence; the 53 outputs due within the first 48 inputs are
    // dropped and the 52 outputs of the silence faded out.
    std::vector<float> in (source.getAudio().getReadPointer (0), source.getAudio().getReadPointer (0) + 44101);
    for (int k = 0; k < 48; ++k)
        in[(size_t) k] *= (float) k / 48.0f;
    in.resize (44101 + 48, 0.0f);

    CConverter44_1kHz_To_48kHz converter (1);
    std::vector<float> primed (60), converted (48100), flushed (60);
    auto run = [&] (int from, int count, std::vector<float>& out) {
        const float* i[] = { in.data() + from };
        float* o[] = { out.data() };
        return converter.process (i, o, count);
    };
    EXPECT_EQ (run (0, 48, primed), 53);
    const int body = run (48, 44101 - 48, converted);
    EXPECT_EQ (body, 47949);
    EXPECT_EQ (run (44101, 48, flushed), 52);

    EXPECT_EQ (output.getFramesWritten(), 47949 + 52);
    const float* result = destination.getAudio().getReadPointer (0);
    for (int i = 0; i < body; i += 97)
        ASSERT_NEAR (result[i], converted[(size_t) i], 1e-6f) << i;
    for (int k = 0; k < 52; ++k)
        ASSERT_NEAR (result[body + k], flushed[(size_t) k] * (1.0f - (k + 1) / 52.0f), 1e-6f) << k;
    EXPECT_EQ (result[48001], 0.0f);   // not reached

    // The output starts in step with the input: a sine of 1 kHz at 44.1 kHz
    // sampled at 48 kHz lines up within a fraction of an input frame.
    const double lag = 111.0 / 160.0;   // output 0 is up-sampled position 53 · 147 − 7680
    for (int i = 2000; i < 2010; ++i)
        EXPECT_NEAR (result[i], 0.5 * std::sin (2.0 * M_PI * 1000.0 * (i / 48000.0 + lag / 44100.0)), 2e-3) << i;
}

TEST (AudioFileConverter, WritingStopsWhenTheDestinationIsFull)
{
    auto source = makeSample (2, 44101, 44100.0);
    fillWithSine (source, 440.0);
    auto destination = makeSample (2, 1000, 48000.0);
    SampleDataAudioPlayerInput input (&source);
    SampleDataAudioRecorderOutput output (&destination);
    CAudioFileConverterPcmOutput pipeline (2);
    ASSERT_TRUE (pipeline.start (&input, &output));
    pipeline.run();
    EXPECT_EQ (output.getFramesWritten(), 1000);
    EXPECT_LT (input.getPosition(), 44101);   // the run ended with the full output
}

TEST (AudioFileConverter, StartFailsForMissingEndsAndUnknownRates)
{
    auto source = makeSample (1, 100, 22050.0);
    auto destination = makeSample (1, 100, 48000.0);
    SampleDataAudioPlayerInput input (&source);
    SampleDataAudioRecorderOutput output (&destination);
    CAudioFileConverterPcmOutput pipeline (1);

    EXPECT_FALSE (pipeline.start (&input, &output));
    EXPECT_FALSE (pipeline.start (nullptr, &output));
    EXPECT_FALSE (pipeline.start (&input, nullptr));

    auto threeChannels = makeSample (3, 100, 44100.0);
    SampleDataAudioPlayerInput wide (&threeChannels);
    EXPECT_FALSE (pipeline.start (&wide, &output));

    // A run after a failed start leaves the output untouched, even when an
    // earlier start had succeeded.
    auto good = makeSample (1, 4410, 44100.0);
    fillWithSine (good, 1000.0);
    SampleDataAudioPlayerInput goodInput (&good);
    ASSERT_TRUE (pipeline.start (&goodInput, &output));
    EXPECT_FALSE (pipeline.start (&wide, &output));
    pipeline.run();
    EXPECT_EQ (output.getFramesWritten(), 0);
}

TEST (AudioFileConverter, StopEndsTheRunWithoutTheFlush)
{
    auto source = makeSample (1, 44101, 44100.0);
    fillWithSine (source, 1000.0);
    auto destination = makeSample (1, 48002, 48000.0);
    RecordingInput input (&source);
    SampleDataAudioRecorderOutput output (&destination);
    CAudioFileConverterPcmOutput pipeline (1);
    input.pipelineToStop = &pipeline;
    input.stopAfterReads = 3;   // priming and two chunks

    ASSERT_TRUE (pipeline.start (&input, &output));
    pipeline.run();
    EXPECT_EQ (input.requests.size(), 3u);
    // Only the chunk read before stop was set (the third read) was delivered:
    // the outputs of 48 + 3763 + 3763 inputs less the 53 primed away.
    EXPECT_EQ (output.getFramesWritten(), (int) std::ceil ((48 + 2 * 3763) * 160.0 / 147.0) - 53);
}

TEST (AudioFileConverter, StopSetBeforeTheRunIsHonoured)
{
    auto source = makeSample (1, 4410, 44100.0);
    auto destination = makeSample (1, 4802, 48000.0);
    SampleDataAudioPlayerInput input (&source);
    SampleDataAudioRecorderOutput output (&destination);
    CAudioFileConverterPcmOutput pipeline (1);
    ASSERT_TRUE (pipeline.start (&input, &output));
    pipeline.setStop (true);
    pipeline.run();
    EXPECT_EQ (output.getFramesWritten(), 0);

    // The run cleared the flag: a new run converts.
    SampleDataAudioRecorderOutput second (&destination);
    ASSERT_TRUE (pipeline.start (&input, &second));
    pipeline.run();
    EXPECT_GT (second.getFramesWritten(), 4700);
}

TEST (AudioFileConverter, SameRateIsCopiedAndMonoFillsBothOutputChannels)
{
    auto source = makeSample (1, 5000, 48000.0);
    fillWithSine (source, 300.0);
    auto destination = makeSample (2, 5000, 48000.0);
    SampleDataAudioPlayerInput input (&source);
    SampleDataAudioRecorderOutput output (&destination);
    CAudioFileConverterPcmOutput pipeline (1);
    ASSERT_TRUE (pipeline.start (&input, &output));
    EXPECT_TRUE (pipeline.isBypassing());
    pipeline.run();

    EXPECT_EQ (output.getFramesWritten(), 5000);
    for (int i = 0; i < 5000; i += 37)
    {
        EXPECT_EQ (destination.getAudio().getSample (0, i), source.getAudio().getSample (0, i));
        EXPECT_EQ (destination.getAudio().getSample (1, i), source.getAudio().getSample (0, i));
    }
    EXPECT_GT (pipeline.getLevels().getPeakDb (0), -6.1f);
    EXPECT_LT (pipeline.getLevels().getPeakDb (0), -5.9f);
}

TEST (AudioFileConverter, MonoConversionFillsTheFlushOfBothChannelsToo)
{
    auto source = makeSample (1, 4411, 44100.0);
    fillWithSine (source, 500.0);
    auto destination = makeSample (2, 4801, 48000.0);
    SampleDataAudioPlayerInput input (&source);
    SampleDataAudioRecorderOutput output (&destination);
    CAudioFileConverterPcmOutput pipeline (1);
    ASSERT_TRUE (pipeline.start (&input, &output));
    pipeline.run();

    for (int i = 0; i < output.getFramesWritten(); ++i)
        ASSERT_EQ (destination.getAudio().getSample (0, i), destination.getAudio().getSample (1, i)) << i;
}

TEST (AudioFileConverter, RateTable)
{
    using P = CAudioFileConverterPcmOutput;
    EXPECT_EQ (P::getRatePairIndex (44100, 48000), 1);
    EXPECT_EQ (P::getRatePairIndex (11289600, 192000), 53);
    EXPECT_EQ (P::getRatePairIndex (22050, 48000), -1);
    EXPECT_EQ (P::getRatePairIndex (44100, 2822400), -1);

    auto factors = [] (int in, int out, int rolloff = 0) {
        auto c = P::createConverter (P::getRatePairIndex (in, out), 2, rolloff);
        return c == nullptr ? std::make_pair (0, 0) : std::make_pair (c->getInputFactor(), c->getOutputFactor());
    };
    EXPECT_EQ (factors (44100, 48000), std::make_pair (147, 160));
    EXPECT_EQ (factors (176400, 192000), std::make_pair (147, 160));
    EXPECT_EQ (factors (96000, 192000), std::make_pair (1, 2));
    EXPECT_EQ (factors (192000, 48000), std::make_pair (4, 1));
    EXPECT_EQ (factors (11289600, 48000), std::make_pair (14 * 12 * 7, 5));
    EXPECT_EQ (factors (96000, 96000), std::make_pair (1, 1));
    EXPECT_EQ (factors (2822400, 44100), std::make_pair (64, 1));
    EXPECT_EQ (factors (44100, 44100 * 2 + 0), std::make_pair (1, 2));
    // Pairs the library has no converter for.
    EXPECT_EQ (factors (48000, 2822400), std::make_pair (0, 0));
    EXPECT_EQ (factors (44100, 192000 / 2 * 2), std::make_pair (147, 640));

    auto stage2Taps = [] (int rolloff) {
        auto c = P::createConverter (P::getRatePairIndex (2822400, 176400), 2, rolloff);
        return static_cast<const CDecimationFilter&> (c->getStage (1)).getNumTaps();
    };
    EXPECT_EQ (stage2Taps (P::fastRolloff), 129);
    EXPECT_EQ (stage2Taps (P::slowRolloff), 49);
    EXPECT_EQ (stage2Taps (P::plainRolloff), 193);
}

#include "PeakMemory.h"
#include "audio/io/SampleImportExportManager.h"
#include "audio/io/ThreadRunningSampleImporter.h"
#include "data/SampleData.h"

#include <benchmark/benchmark.h>

#include <cmath>

// Import of five minutes of stereo 44.1 kHz audio from a WAV file into a
// sample ready for the device (converted to 48 kHz), and export back.
namespace
{
constexpr double fileRate = 44100.0;
constexpr int fileFrames = 44100 * 60 * 5;

// The WAV file the benchmarks read, written once and deleted at exit.
struct BenchWaveFile
{
    juce::File file = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("plovara-bench-5min.wav");

    BenchWaveFile()
    {
        auto stream = std::make_unique<juce::FileOutputStream> (file);
        stream->setPosition (0);
        stream->truncate();
        std::unique_ptr<juce::AudioFormatWriter> writer (
            juce::WavAudioFormat().createWriterFor (stream.get(), fileRate, 2, 16, {}, 0));
        stream.release();

        juce::AudioBuffer<float> block (2, 44100);
        for (int done = 0; done < fileFrames; done += block.getNumSamples())
        {
            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < block.getNumSamples(); ++i)
                    block.setSample (c, i, 0.5f * (float) std::sin ((done + i) * 0.0314 * (c + 1)));
            writer->writeFromAudioSampleBuffer (block, 0, block.getNumSamples());
        }
    }

    ~BenchWaveFile() { file.deleteFile(); }
};

const juce::File& benchWaveFile()
{
    static const BenchWaveFile wave;
    return wave.file;
}


// Enough free memory for the whole file, so nothing is cut.
juce::int64 plentyOfMemory() { return (juce::int64) 1 << 31; }
}

static void BM_ImportFiveMinutesOf44kHzStereo (benchmark::State& state)
{
    const auto& file = benchWaveFile();
    int frames = 0;
    PeakMemory::reset();
    const double before = PeakMemory::residentMegabytes();

    for (auto _ : state)
    {
        SampleData target;
        ThreadRunningSampleImporter job (target, file, plentyOfMemory);
        job.run();
        if (! job.hasSucceeded())
            state.SkipWithError ("import failed");
        frames = target.getNumFrames();
    }
    // What the import took at its peak, over the float audio it made.
    const double audioMegabytes = (double) frames * 2 * sizeof (float) / (1024.0 * 1024.0);
    state.counters["frames"] = frames;
    state.counters["peakMemoryMB"] = PeakMemory::peakMegabytes();
    state.counters["peakPerAudio"] = (PeakMemory::peakMegabytes() - before) / audioMegabytes;
}
BENCHMARK (BM_ImportFiveMinutesOf44kHzStereo)->Unit (benchmark::kMillisecond)->Iterations (3);

static void BM_ExportFiveMinutesAsWave (benchmark::State& state)
{
    SampleData sample;
    ThreadRunningSampleImporter job (sample, benchWaveFile(), plentyOfMemory);
    job.run();
    const auto output = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("plovara-bench-export.wav");

    for (auto _ : state)
    {
        output.deleteFile();
        auto exporter = SampleImportExportManager::createWaveExporter (std::make_unique<juce::FileOutputStream> (output));
        if (! exporter->exportSample (sample, 0))
            state.SkipWithError ("export failed");
    }
    output.deleteFile();
    state.counters["frames"] = sample.getNumFrames();
    state.counters["peakMemoryMB"] = PeakMemory::peakMegabytes();
}
BENCHMARK (BM_ExportFiveMinutesAsWave)->Unit (benchmark::kMillisecond)->Iterations (3);

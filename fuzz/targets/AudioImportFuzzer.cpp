// Audio files from arbitrary bytes, through the WAV and the AIFF importer
// with the frame limit of an import into an empty slot of an empty bank.
// No message manager exists, so the progress broadcasts are dropped instead
// of piling up in a queue that nothing empties. An import either fails or gives a sample of one or two channels, at most
// the limit of frames plus the silent guard frame, which ends it.
#include "FuzzSupport.h"

#include "audio/io/SampleImporter.h"
#include "audio/io/ThreadRunningSampleImporter.h"
#include "data/SampleData.h"

namespace
{
template <typename Importer>
void import (const uint8_t* data, size_t size)
{
    SampleData sample;
    const int frameLimit = ThreadRunningSampleImporter::frameLimitFor (sample.getMemorySize(),
                                                                        SampleDataFsConverter::bankSampleMemory);

    Importer importer (std::make_unique<juce::MemoryInputStream> (data, size, false));

    if (! importer.importSample (sample, frameLimit))
        return;

    const int channels = sample.getNumChannels();
    const int frames = sample.getNumFrames();
    FUZZ_CHECK (channels >= 1 && channels <= 2);
    FUZZ_CHECK (frames >= 1 && frames <= frameLimit + 1);
    FUZZ_CHECK (sample.getSampleRate() > 0.0);

    for (int c = 0; c < channels; ++c)
        FUZZ_CHECK (sample.getAudio().getSample (c, frames - 1) == 0.0f);
}
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const auto file = FuzzSupport::exactCopy (data, size);
    import<WaveSampleImporter> (file.get(), size);
    import<AiffSampleImporter> (file.get(), size);
    return 0;
}

#pragma once

#include "audio/edit/SampleDataFsConverter.h"
#include "audio/io/SampleImporter.h"
#include "audio/io/ThreadRunningAction.h"

#include <memory>

// Imports an audio file into a sample on the thread "SampleImport": loads it
// (cut to what the bank's memory could ever take; more than two channels are
// refused from the header), converting a rate the device does not play to
// 48 kHz while it reads, sets the start and end points to the whole sample, and only then
// replaces the target. A failed or cancelled import leaves the target as it
// was.
class ThreadRunningSampleImporter : public ThreadRunningAction
{
public:
    using FreeMemoryQuery = SampleDataFsConverter::FreeMemoryQuery;

    ThreadRunningSampleImporter (SampleData& target, const juce::File& file, FreeMemoryQuery freeSampleMemory);
    ~ThreadRunningSampleImporter() override;

    void run() override;
    void cancel() override;
    bool isCancellable() const override { return true; }

    // Whether the job finished with the target replaced.
    bool hasSucceeded() const { return succeeded; }

    // Makes an imported sample the slot's new sample: it takes the slot's
    // name and parameters (original BPM included) but keeps its own start
    // and end points, and records the file's name without extension.
    static void takeOverSlot (SampleData& imported, const SampleData& slot, const juce::File& file);

    // The most frames an import may load with this much free memory and a
    // target of this many bytes of device memory.
    static int frameLimitFor (juce::int64 targetMemoryBytes, juce::int64 freeSampleMemory);

private:
    // One of SampleDataFsConverter's results, or loadFailed once the job
    // has finished with the failure.
    static constexpr int loadFailed = -1;
    int load (SampleData& imported);
    int convertRate (AudioFormatReaderInput& source, SampleData& imported);
    void finishWith (const juce::String& statusKey, bool failure);

    SampleData& target;
    FreeMemoryQuery freeSampleMemory;
    std::unique_ptr<SampleImporter> importer;
    std::unique_ptr<SampleDataFsConverter> converter;
    juce::CriticalSection lock;
    std::atomic<bool> succeeded { false };
};

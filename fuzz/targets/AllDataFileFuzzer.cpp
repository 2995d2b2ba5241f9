// A ".plvr_all" file from arbitrary bytes: the eight banks go to swap files
// as they are read, and come back from them when the whole is written
// again. Reading may refuse the bytes with an Exception only; what was read
// writes and reads back as the same bytes.
#include "FuzzSupport.h"

#include "data/AllData.h"

#include <unistd.h>

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    // Every input writes and reads dozens of swap files: in memory where the
    // system offers a memory file system, they cost a fraction of the time.
    const juce::File memoryFileSystem ("/dev/shm");

    if (memoryFileSystem.isDirectory())
        SwapFolder::overrideBaseFolder (memoryFileSystem.getChildFile ("plovara-fuzz-" + juce::String ((int) getuid())));

    // Held for the whole run, so that the swap folder is prepared once and
    // not for every input.
    static const auto swapFolder = SwapFolder::forThisProcess();
    FUZZ_CHECK (swapFolder != nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    FuzzSupport::checkReadWriteRead<AllData> (data, size);
    return 0;
}

// A ".plvr_all" file from arbitrary bytes: the eight banks go to swap files
// as they are read, and come back from them when the whole is written
// again. Reading may refuse the bytes with an Exception only; what was read
// writes and reads back as the same bytes.
#include "FuzzSupport.h"

#include "data/AllData.h"

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
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

// A ".plvr_all" file from arbitrary bytes. Reading may refuse the bytes with
// an Exception only; what was read writes and reads back as the same bytes.
//
// The banks are kept in memory: the bytes of the file are parsed the same
// way whichever storage takes them, and writing sixteen swap files for every
// input made the run several times slower. The swap files are exercised by
// the test suite.
#include "FuzzSupport.h"

#include "data/AllData.h"

namespace
{
struct AllDataInMemory : public AllData
{
    AllDataInMemory() : AllData (BankStorage::memory) {}
};
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    FuzzSupport::checkReadWriteRead<AllDataInMemory> (data, size);
    return 0;
}

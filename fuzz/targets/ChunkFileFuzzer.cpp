// Chunk files from arbitrary bytes: every class that is the root of a file
// (or a set inside one) reads the same bytes. The all-data file, whose
// banks live in swap files, has a target of its own (AllDataFileFuzzer). Reading may refuse them with
// an Exception, nothing else; what was read must write and read back as
// the same bytes.
#include "FuzzSupport.h"

#include "data/BankData.h"
#include "data/EffectData.h"
#include "data/GlobalData.h"
#include "data/SampleData.h"
#include "data/SequenceData.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    using FuzzSupport::checkReadWriteRead;

    checkReadWriteRead<SampleData> (data, size);
    checkReadWriteRead<SampleSet> (data, size);
    checkReadWriteRead<SequenceData> (data, size);
    checkReadWriteRead<SequenceSet> (data, size);
    checkReadWriteRead<GlobalData> (data, size);
    checkReadWriteRead<EffectData> (data, size);
    checkReadWriteRead<BankData> (data, size);
    return 0;
}

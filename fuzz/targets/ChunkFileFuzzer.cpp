// Chunk files from arbitrary bytes: the class that is the root of a file
// (or a set inside one) with the chunk id the bytes begin with reads them.
// Bytes of any other id go to the global data, the cheapest class, so that
// refusing a foreign chunk is exercised too without building a bank for
// every input. The all-data file has a target of its own
// (AllDataFileFuzzer). Reading may refuse the bytes with an Exception,
// nothing else; what was read must write and read back as the same bytes.
#include "FuzzSupport.h"

#include "data/BankData.h"
#include "data/EffectData.h"
#include "data/GlobalData.h"
#include "data/SampleData.h"
#include "data/SequenceData.h"

#include <cstring>

namespace
{
template <typename Node>
bool readIfItsChunk (const uint8_t* data, size_t size)
{
    const auto& id = Node::chunkId;

    if (size < (size_t) id.length() || std::memcmp (data, id.toRawUTF8(), (size_t) id.length()) != 0)
        return false;

    FuzzSupport::checkReadWriteRead<Node> (data, size);
    return true;
}
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const bool known = readIfItsChunk<SampleData> (data, size)
                    || readIfItsChunk<SampleSet> (data, size)
                    || readIfItsChunk<SequenceData> (data, size)
                    || readIfItsChunk<SequenceSet> (data, size)
                    || readIfItsChunk<GlobalData> (data, size)
                    || readIfItsChunk<EffectData> (data, size)
                    || readIfItsChunk<BankData> (data, size);

    if (! known)
        FuzzSupport::checkReadWriteRead<GlobalData> (data, size);

    return 0;
}

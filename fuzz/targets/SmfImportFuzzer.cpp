// Standard MIDI File import from arbitrary bytes. The first byte chooses
// the channels (low half: part 0, high half: part 1); the rest is the file.
// An import either fails with a file error code and leaves the pattern as it
// was, or makes a whole pattern block: its size in its header, all 100
// measures in order, each marker where the measure table says.
#include "FuzzSupport.h"

#include "data/ByteFields.h"
#include "data/SequenceBlockLayout.h"
#include "data/SequenceData.h"
#include "data/smf/SequenceDataImporter.h"

namespace
{
using namespace SequenceBlockLayout;

constexpr int numMeasures = 100;
constexpr int markerSize = 4;

void checkCompleteBlock (const SequenceData& pattern)
{
    const auto* block = pattern.getBytes();
    const int size = pattern.getSize();

    FUZZ_CHECK (size >= eventsOffset && size <= SequenceData::maximumSize);
    FUZZ_CHECK (ByteFields::getBigEndianU16 (block + sizeOffset) == 0);
    FUZZ_CHECK ((int) ByteFields::getBigEndianU16 (block + sizeOffset + 2) == size);
    FUZZ_CHECK ((size - eventsOffset) % eventSize == 0);

    int expectedOffset = eventsOffset;

    for (int m = 0; m < numMeasures; ++m)
    {
        const auto* entry = block + measureTableOffset + 4 * m;
        const int offset = (entry[0] << 24) | (entry[1] << 16) | (entry[2] << 8) | entry[3];
        FUZZ_CHECK (offset == expectedOffset && offset + markerSize <= size);
        FUZZ_CHECK (block[offset] == 0xFF && block[offset + 1] == m);

        // The marker counts its own event among those of its measure.
        const int count = ByteFields::getBigEndianU16 (block + offset + 2);
        FUZZ_CHECK (count >= 1);
        expectedOffset += count * eventSize;
    }

    FUZZ_CHECK (expectedOffset == size);
}
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;

    const auto file = FuzzSupport::exactCopy (data + 1, size - 1);
    SequenceData pattern;
    const auto before = pattern.getBlock();

    SequenceDataImporter importer;
    const int result = importer.importSmf (file.get(), size - 1, pattern, data[0] & 0x0f, data[0] >> 4);

    if (result == SequenceDataImporter::failed)
    {
        FUZZ_CHECK (importer.getResultCode() >= SequenceDataImporter::smfSize);
        FUZZ_CHECK (pattern.getBlock() == before);
        return 0;
    }

    FUZZ_CHECK (result == SequenceDataImporter::imported || result == SequenceDataImporter::importedCut);
    checkCompleteBlock (pattern);
    return 0;
}

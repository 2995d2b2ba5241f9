#include "TestSupport.h"

#include "app/Exception.h"
#include "data/BankData.h"
#include "data/ByteFields.h"
#include "data/Chunk.h"
#include "data/DataFile.h"

#include <gtest/gtest.h>

#include <set>

using namespace TestSupport;

namespace
{
// An output stream on a disk that fills up: it takes the first capacity
// bytes and refuses everything after them.
class FillingOutputStream : public juce::OutputStream
{
public:
    explicit FillingOutputStream (size_t capacityInBytes) : capacity (capacityInBytes) {}

    bool write (const void* data, size_t count) override
    {
        const auto taken = juce::jmin (count, capacity - stored.getDataSize());
        stored.write (data, taken);
        return taken == count;
    }

    void flush() override {}
    juce::int64 getPosition() override { return (juce::int64) stored.getDataSize(); }
    bool setPosition (juce::int64) override { return false; }

private:
    const size_t capacity;
    juce::MemoryOutputStream stored;
};

// A bank with audio, so that its file is large enough to be cut anywhere.
void fillBank (BankData& bank, const juce::String& name, int frames)
{
    bank.setName (name);
    bank.getSample (3).setName (name);
    bank.getSample (3).resize (2, frames, 48000.0, false);
    bank.getPattern (7)->setName (name);
}

juce::MemoryBlock contentOf (const juce::File& file)
{
    juce::MemoryBlock bytes;
    file.loadFileAsData (bytes);
    return bytes;
}

// A failed write is reported either by false or, from the leaves, by an
// Exception: the message key, "false", or empty when the write succeeded.
template <typename Write>
juce::String failureOf (Write write)
{
    try
    {
        return write() ? juce::String() : juce::String ("false");
    }
    catch (const Exception& e)
    {
        return e.getMessageKey();
    }
}

int countFiles (const juce::File& folder)
{
    return folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories);
}
}

TEST (DataFile, ABankWriterReportsAStreamThatFillsUpWhereverItHappens)
{
    BankData bank;
    fillBank (bank, "full", 3000);
    const auto size = (size_t) bank.getChunkSize();

    // In the header, in the first child, in the audio, one byte short.
    for (size_t capacity : { (size_t) 0, (size_t) 20, (size_t) 32, (size_t) 100, size / 2, size - 1 })
    {
        FillingOutputStream stream (capacity);
        const auto failure = failureOf ([&] { return bank.writeTo (stream); });
        EXPECT_TRUE (failure == "false" || failure.startsWith ("Error_FileFailedToWrite"))
            << "cut after " << capacity << " of " << size << " bytes: " << failure;
    }

    FillingOutputStream roomy (size);
    EXPECT_EQ (failureOf ([&] { return bank.writeTo (roomy); }), "");
}

TEST (DataFile, ABankSaveCutOffHalfWayKeepsThePreviousFile)
{
    TemporaryFolder temp;
    const auto file = temp.folder.getChildFile ("live.plvr_bank");

    BankData previous;
    fillBank (previous, "before", 1000);
    ASSERT_TRUE (DataFile::write (previous, file));
    const auto saved = contentOf (file);

    // The disk fills up half-way through the new, larger file.
    BankData next;
    fillBank (next, "after", 200000);
    juce::String failure;
    {
        FileSizeLimit fullDisk ((rlim_t) next.getChunkSize() / 2);
        failure = failureOf ([&] { return DataFile::write (next, file); });
    }

    EXPECT_EQ (failure, "Error_FileFailedToWriteSampleData") << "the audio is where the disk fills up";
    EXPECT_TRUE (contentOf (file) == saved);
    EXPECT_EQ (countFiles (temp.folder), 1) << "the half-written file is gone";

    BankData reread;
    juce::FileInputStream in (file);
    ASSERT_TRUE (reread.readFrom (in));
    EXPECT_EQ (reread.getName(), "BEFORE");
    EXPECT_EQ (reread.getSample (3).getNumFrames(), 1000);

    // With room again the same save goes through.
    ASSERT_TRUE (DataFile::write (next, file));
    EXPECT_EQ (file.getSize(), (juce::int64) next.getChunkSize());
}

namespace
{
// Collects where the chunks of a file start and end, the places where a copy
// cut short at a chunk boundary stops; returns the end of the chunk at start.
size_t collectChunkBoundaries (const juce::MemoryBlock& file, size_t start, std::set<size_t>& boundaries)
{
    const auto* bytes = static_cast<const uint8_t*> (file.getData());
    const size_t payload = ByteFields::getLittleEndian32 (bytes + start + 10);
    const size_t end = start + Chunk::headerSize + payload;
    const juce::String kind ((const char*) bytes + start + 4, 4);
    const bool isSet = kind == "BnkD" || kind.endsWithChar ('S');

    boundaries.insert (start);
    boundaries.insert (start + Chunk::headerSize);

    for (size_t child = start + Chunk::headerSize; isSet && child < end;)
        child = collectChunkBoundaries (file, child, boundaries);

    boundaries.insert (end);
    return end;
}
}

TEST (DataFile, ABankFileCutShortAnywhereIsRefusedWithoutTouchingTheBank)
{
    BankData written;
    fillBank (written, "whole", 500);
    juce::MemoryOutputStream out;
    ASSERT_TRUE (written.writeTo (out));
    const auto file = out.getMemoryBlock();

    std::set<size_t> boundaries;
    ASSERT_EQ (collectChunkBoundaries (file, 0, boundaries), file.getSize());
    ASSERT_GT (boundaries.size(), 100u);   // every sample, pattern and their headers

    for (auto cut : boundaries)
    {
        // An empty file is no chunk at all, a file of another kind.
        if (cut == 0 || cut == file.getSize())
            continue;

        BankData target;
        target.setName ("mine");
        juce::MemoryInputStream in (file.getData(), cut, false);

        EXPECT_EQ (failureOf ([&] { return target.readFrom (in); }), "Error_FileFailedToReadDataSetHeader") << "cut at " << cut;
        EXPECT_EQ (target.getName(), "MINE") << "cut at " << cut;
        EXPECT_EQ (target.getSample (3).getNumFrames(), 0) << "cut at " << cut;
    }

    BankData whole;
    juce::MemoryInputStream in (file, false);
    EXPECT_EQ (failureOf ([&] { return whole.readFrom (in); }), "");
    EXPECT_EQ (whole.getName(), "WHOLE");
}

#include "TestSupport.h"

#include "app/Exception.h"
#include "data/BankData.h"
#include "data/DataFile.h"

#include <gtest/gtest.h>

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

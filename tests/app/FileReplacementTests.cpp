#include "TestSupport.h"

#include "app/FileReplacement.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{
bool writeText (juce::OutputStream& out, const char* text)
{
    return out.writeText (text, false, false, nullptr);
}

// Everything in the folder but the target itself: leftovers of a write.
int countOtherFiles (const juce::File& folder, const juce::File& target)
{
    int count = 0;
    for (auto& file : folder.findChildFiles (juce::File::findFilesAndDirectories, false))
        count += file == target ? 0 : 1;
    return count;
}
}

TEST (FileReplacement, WritesANewFileAndReplacesAnOldOne)
{
    TestSupport::TemporaryFolder temp;
    const auto target = temp.folder.getChildFile ("data.bin");

    EXPECT_TRUE (FileReplacement::write (target, [] (juce::OutputStream& out) { return writeText (out, "first"); }));
    EXPECT_EQ (target.loadFileAsString(), "first");

    EXPECT_TRUE (FileReplacement::write (target, [] (juce::OutputStream& out) { return writeText (out, "2nd"); }));
    EXPECT_EQ (target.loadFileAsString(), "2nd");
    EXPECT_EQ (countOtherFiles (temp.folder, target), 0);
}

TEST (FileReplacement, AFailedWriteLeavesTheOldFileAndNoLeftovers)
{
    TestSupport::TemporaryFolder temp;
    const auto target = temp.folder.getChildFile ("data.bin");
    target.replaceWithText ("old content");

    const bool written = FileReplacement::write (target, [] (juce::OutputStream& out)
    {
        writeText (out, "half of the new");
        return false;
    });
    EXPECT_FALSE (written);
    EXPECT_EQ (target.loadFileAsString(), "old content");
    EXPECT_EQ (countOtherFiles (temp.folder, target), 0);

    EXPECT_THROW (FileReplacement::write (target, [] (juce::OutputStream& out) -> bool
    {
        writeText (out, "half of the new");
        throw std::runtime_error ("writer failed");
    }), std::runtime_error);
    EXPECT_EQ (target.loadFileAsString(), "old content");
    EXPECT_EQ (countOtherFiles (temp.folder, target), 0);
}

TEST (FileReplacement, AShortWriteIsAFailure)
{
    TestSupport::TemporaryFolder temp;
    const auto target = temp.folder.getChildFile ("data.bin");
    target.replaceWithText ("old content");

    bool written = true;
    {
        TestSupport::FileSizeLimit limit (100);
        written = FileReplacement::write (target, [] (juce::OutputStream& out)
        {
            return out.writeRepeatedByte ('x', 300);
        });
    }
    EXPECT_FALSE (written);
    EXPECT_EQ (target.loadFileAsString(), "old content");
    EXPECT_EQ (countOtherFiles (temp.folder, target), 0);
}

TEST (FileReplacement, AMissingFolderIsAFailure)
{
    TestSupport::TemporaryFolder temp;
    const auto target = temp.folder.getChildFile ("absent").getChildFile ("data.bin");
    EXPECT_FALSE (FileReplacement::write (target, [] (juce::OutputStream& out) { return writeText (out, "x"); }));
    EXPECT_FALSE (target.exists());
}

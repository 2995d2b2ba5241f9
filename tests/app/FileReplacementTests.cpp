#include "TestSupport.h"

#include "app/FileReplacement.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

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

    const bool written = (bool) FileReplacement::write (target, [] (juce::OutputStream& out)
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

    FileReplacement::Result result;
    {
        TestSupport::FileSizeLimit limit (100);
        result = FileReplacement::write (target, [] (juce::OutputStream& out)
        {
            return out.writeRepeatedByte ('x', 300);
        });
    }
    EXPECT_EQ (result.errorKey, "Error_FileFailedToWrite");
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

TEST (FileReplacement, ALinkIsFollowedAndStaysALink)
{
    TestSupport::TemporaryFolder temp;
    const auto real = temp.folder.getChildFile ("real.bin");
    const auto link = temp.folder.getChildFile ("link.bin");
    real.replaceWithText ("old");
    chmod (real.getFullPathName().toRawUTF8(), 0640);
    ASSERT_EQ (symlink ("real.bin", link.getFullPathName().toRawUTF8()), 0);

    EXPECT_TRUE (FileReplacement::write (link, [] (juce::OutputStream& out) { return writeText (out, "new"); }));

    EXPECT_TRUE (link.isSymbolicLink());
    EXPECT_EQ (real.loadFileAsString(), "new");
    struct stat info {};
    ASSERT_EQ (stat (real.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_EQ (info.st_mode & 0777, 0640u);   // the old file's permissions
    EXPECT_EQ (countOtherFiles (temp.folder, real), 1);   // the link, nothing else
}

TEST (FileReplacement, WhatIsNotARegularFileIsRefusedAndKept)
{
    TestSupport::TemporaryFolder temp;
    const auto folder = temp.folder.getChildFile ("folder");
    const auto pipe = temp.folder.getChildFile ("pipe");
    const auto linkToFolder = temp.folder.getChildFile ("link");
    ASSERT_TRUE (folder.createDirectory());
    ASSERT_EQ (mkfifo (pipe.getFullPathName().toRawUTF8(), 0600), 0);
    ASSERT_EQ (symlink ("folder", linkToFolder.getFullPathName().toRawUTF8()), 0);

    for (const auto& target : { folder, pipe, linkToFolder, juce::File ("/dev/null") })
    {
        const auto result = FileReplacement::write (target, [] (juce::OutputStream& out) { return writeText (out, "x"); });
        EXPECT_EQ (result.errorKey, "Error_FileTargetIsNotFile") << target.getFullPathName();
    }

    struct stat info {};
    EXPECT_TRUE (folder.isDirectory());
    EXPECT_TRUE (linkToFolder.isSymbolicLink());
    ASSERT_EQ (lstat (pipe.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_TRUE (S_ISFIFO (info.st_mode));
    ASSERT_EQ (stat ("/dev/null", &info), 0);
    EXPECT_TRUE (S_ISCHR (info.st_mode));
    EXPECT_EQ (temp.folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 3);
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 0);
}

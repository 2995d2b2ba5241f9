#include "TestSupport.h"

#include "app/Exception.h"
#include "data/AllData.h"
#include "data/DataFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestSupport;

namespace
{
// Points the swap folder at a folder of the test's own.
struct SwapFolderFixture : public ::testing::Test
{
    TemporaryFolder temp;
    juce::File base = temp.folder.getChildFile ("swap");

    SwapFolderFixture() { SwapFolder::overrideBaseFolder (base); }
    ~SwapFolderFixture() override { SwapFolder::overrideBaseFolder ({}); }

    juce::File processFolder() const { return base.getChildFile (juce::String ((int) getpid())); }
};

int modeOf (const juce::File& file)
{
    struct stat info;
    lstat (file.getFullPathName().toRawUTF8(), &info);
    return (int) (info.st_mode & 07777);
}

int countFileBased (const BankSet& set)
{
    int n = 0;
    for (int i = 0; i < BankSet::numBanks; ++i)
        n += dynamic_cast<FileBasedStoredBankData*> (&set.getBank (i)) != nullptr ? 1 : 0;
    return n;
}

void fillBank (BankData& bank, const juce::String& name, int frames)
{
    bank.setName (name);
    bank.getSample (0).setName (name + "S");
    bank.getSample (0).resize (1, frames, 48000.0, false);
    bank.getPattern (0)->setName (name + "P");
    bank.getEffect().setByte (EffectData::typeByte, 3);
}
}

using SwapFolderTest = SwapFolderFixture;
using StoredBankTest = SwapFolderFixture;

TEST_F (SwapFolderTest, EightSwapFilesInAPrivateProcessFolderRemovedWithTheSet)
{
    {
        BankSet set;
        EXPECT_EQ (countFileBased (set), 8);
        EXPECT_EQ (modeOf (base), 0700);
        EXPECT_EQ (modeOf (processFolder()), 0700);

        for (int i = 0; i < BankSet::numBanks; ++i)
        {
            auto& bank = static_cast<FileBasedStoredBankData&> (set.getBank (i));
            EXPECT_EQ (bank.getSwapFile().getParentDirectory(), processFolder());
            EXPECT_TRUE (bank.getSwapFile().getFileName().startsWith ("tempBank_"));
            EXPECT_EQ (bank.getSwapFile().getSize(), BankData().getChunkSize());
            EXPECT_EQ (bank.getInformation().bankName, "INITBANK");
        }
        EXPECT_TRUE (set.allFit());
    }
    EXPECT_FALSE (processFolder().exists());
    EXPECT_TRUE (base.isDirectory());
}

TEST_F (SwapFolderTest, AFolderThatCannotBeMadeLeavesEveryBankInMemory)
{
    base.getParentDirectory().getChildFile ("plain").replaceWithText ("x");
    SwapFolder::overrideBaseFolder (base.getParentDirectory().getChildFile ("plain").getChildFile ("swap"));

    AllData all;
    EXPECT_EQ (countFileBased (all.getBankSet()), 0);
    EXPECT_TRUE (all.isValid());

    BankData bank;
    fillBank (bank, "mem", 10);
    EXPECT_TRUE (all.getBankSet().storeFrom (2, bank));
    BankData back;
    EXPECT_TRUE (all.getBankSet().loadInto (2, back));
    EXPECT_EQ (back.getName(), "MEM");
}

TEST_F (SwapFolderTest, AnUnsafeFolderIsRefused)
{
    // A link planted where the folder should be.
    auto target = temp.folder.getChildFile ("elsewhere");
    target.createDirectory();
    ASSERT_EQ (symlink (target.getFullPathName().toRawUTF8(), base.getFullPathName().toRawUTF8()), 0);
    {
        BankSet set;
        EXPECT_EQ (countFileBased (set), 0);
    }
    EXPECT_EQ (target.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
    base.deleteFile();

    // A plain file stays where it is.
    base.replaceWithText ("mine");
    {
        BankSet set;
        EXPECT_EQ (countFileBased (set), 0);
    }
    EXPECT_EQ (base.loadFileAsString(), "mine");
    base.deleteFile();

    // A folder of another user.
    if (geteuid() == 0)
    {
        base.createDirectory();
        ASSERT_EQ (chown (base.getFullPathName().toRawUTF8(), 65534, 65534), 0);
        BankSet set;
        EXPECT_EQ (countFileBased (set), 0);
    }
}

TEST_F (SwapFolderTest, AFolderOpenToOthersIsNarrowedToTheUser)
{
    base.createDirectory();
    chmod (base.getFullPathName().toRawUTF8(), 0777);

    BankSet set;
    EXPECT_EQ (countFileBased (set), 8);
    EXPECT_EQ (modeOf (base), 0700);
}

TEST_F (SwapFolderTest, StaleFoldersOfDeadProcessesAreClearedWithoutFollowingLinks)
{
    base.createDirectory();
    chmod (base.getFullPathName().toRawUTF8(), 0700);

    auto outside = temp.folder.getChildFile ("tempBank_keep");
    outside.replaceWithText ("keep");

    auto stale = base.getChildFile ("99999999");
    stale.createDirectory();
    stale.getChildFile ("tempBank_3").replaceWithText ("old");
    symlink (outside.getFullPathName().toRawUTF8(), stale.getChildFile ("tempBank_9").getFullPathName().toRawUTF8());

    auto staleWithOther = base.getChildFile ("99999998");
    staleWithOther.createDirectory();
    staleWithOther.getChildFile ("tempBank_1").replaceWithText ("old");
    staleWithOther.getChildFile ("notes.txt").replaceWithText ("not ours");

    auto living = base.getChildFile ("1");   // init never dies
    living.createDirectory();
    living.getChildFile ("tempBank_0").replaceWithText ("in use");

    BankSet set;
    EXPECT_FALSE (stale.getChildFile ("tempBank_3").exists());
    EXPECT_TRUE (stale.getChildFile ("tempBank_9").isSymbolicLink());   // not ours: left as it is
    EXPECT_EQ (outside.loadFileAsString(), "keep");
    EXPECT_FALSE (staleWithOther.getChildFile ("tempBank_1").exists());
    EXPECT_TRUE (staleWithOther.getChildFile ("notes.txt").exists());
    EXPECT_EQ (living.getChildFile ("tempBank_0").loadFileAsString(), "in use");
}

TEST (SwapFolderLocation, TheTemporaryFolderOnDiskNeverTheRuntimeFolder)
{
    TemporaryFolder runtime, temporary;
    const std::string names[] = { "XDG_RUNTIME_DIR", "TMPDIR" };
    std::string saved[2];
    bool had[2] = {};
    for (int i = 0; i < 2; ++i)
        if (const char* value = std::getenv (names[i].c_str()))
            had[i] = true, saved[i] = value;

    setenv ("XDG_RUNTIME_DIR", runtime.folder.getFullPathName().toRawUTF8(), 1);
    setenv ("TMPDIR", temporary.folder.getFullPathName().toRawUTF8(), 1);
    EXPECT_EQ (SwapFolder::defaultBaseFolder(), temporary.folder.getChildFile ("Plovara-" + juce::String ((int) geteuid())));

    for (int i = 0; i < 2; ++i)
        if (had[i])
            setenv (names[i].c_str(), saved[i].c_str(), 1);
        else
            unsetenv (names[i].c_str());
}

TEST_F (StoredBankTest, StoreAndLoadKeepContentsAndSummary)
{
    BankSet set;
    BankData bank;
    fillBank (bank, "one", 16385);
    ASSERT_TRUE (set.storeFrom (4, bank));

    const auto& info = set.getBank (4).getInformation();
    EXPECT_EQ (info.bankName, "ONE");
    EXPECT_EQ (info.sampleNames.size(), 36);
    EXPECT_EQ (info.sampleNames[0], "ONES");
    EXPECT_EQ (info.sampleNames[1], "INITSMPL");
    EXPECT_EQ (info.patternNames.size(), 16);
    EXPECT_EQ (info.patternNames[0], "ONEP");
    EXPECT_EQ (info.patternNames[15], "INITPTRN");
    EXPECT_EQ (info.effectType, 3);
    EXPECT_TRUE (info.fits);

    BankData back;
    ASSERT_TRUE (set.loadInto (4, back));
    EXPECT_EQ (back.getName(), "ONE");
    EXPECT_EQ (back.getSample (0).getNumFrames(), 16385);

    EXPECT_FALSE (set.loadInto (8, back));
    EXPECT_FALSE (set.storeFrom (-1, bank));

    for (int i = 0; i < SampleSet::numSamples; ++i)
        bank.getSample (i).resize (2, 13 * 32768 / 4 + 1, 48000.0, false);
    ASSERT_TRUE (set.storeFrom (4, bank));
    EXPECT_FALSE (set.getBank (4).getInformation().fits);
    EXPECT_FALSE (set.allFit());
}

TEST_F (StoredBankTest, SwappedAndCopiedBanksOfEitherKind)
{
    BankSet set;
    MemoryBasedStoredBankData inMemory;
    BankData a, b, c;
    fillBank (a, "alpha", 5);
    fillBank (b, "beta", 7);
    fillBank (c, "gamma", 9);
    ASSERT_TRUE (set.storeFrom (0, a));
    ASSERT_TRUE (set.storeFrom (1, b));
    ASSERT_TRUE (inMemory.storeFrom (c));

    auto loadedName = [] (StoredBankData& stored)
    {
        BankData bank;
        EXPECT_TRUE (stored.loadInto (bank));
        return bank.getName() + "/" + juce::String (bank.getSample (0).getNumFrames());
    };

    ASSERT_TRUE (set.getBank (0).swapWith (set.getBank (1)));
    EXPECT_EQ (set.getBank (0).getInformation().bankName, "BETA");
    EXPECT_EQ (set.getBank (1).getInformation().bankName, "ALPHA");
    EXPECT_EQ (loadedName (set.getBank (0)), "BETA/7");
    EXPECT_EQ (loadedName (set.getBank (1)), "ALPHA/5");

    ASSERT_TRUE (set.getBank (0).swapWith (inMemory));
    EXPECT_EQ (inMemory.getInformation().bankName, "BETA");
    EXPECT_EQ (loadedName (set.getBank (0)), "GAMMA/9");
    EXPECT_EQ (loadedName (inMemory), "BETA/7");

    ASSERT_TRUE (set.getBank (2).copyFrom (set.getBank (1)));
    EXPECT_EQ (set.getBank (2).getInformation().bankName, "ALPHA");
    EXPECT_EQ (loadedName (set.getBank (2)), "ALPHA/5");

    MemoryBasedStoredBankData other;
    ASSERT_TRUE (other.copyFrom (inMemory));
    ASSERT_TRUE (other.swapWith (inMemory));
    EXPECT_EQ (loadedName (other), "BETA/7");

    set.getBank (2).resetToDefaults();
    EXPECT_EQ (loadedName (set.getBank (2)), "INITBANK/0");
}

TEST_F (StoredBankTest, FailuresAreReportedAndLeaveTheDataInPlace)
{
    BankSet set;
    auto& stored = static_cast<FileBasedStoredBankData&> (set.getBank (0));
    BankData bank;
    fillBank (bank, "first", 100);
    ASSERT_TRUE (stored.storeFrom (bank));

    // A full disk: the store fails and the old swap file stays.
    BankData bigger;
    fillBank (bigger, "second", 400000);
    {
        FileSizeLimit limit (4096);
        EXPECT_FALSE (stored.storeFrom (bigger));
    }
    EXPECT_EQ (stored.getInformation().bankName, "FIRST");

    BankData target;
    target.setName ("target");
    ASSERT_TRUE (stored.loadInto (target));
    EXPECT_EQ (target.getName(), "FIRST");

    // A damaged swap file: loading and writing fail, the target stays.
    stored.getSwapFile().replaceWithText ("not a bank");
    target.setName ("target");
    EXPECT_FALSE (stored.loadInto (target));
    EXPECT_EQ (target.getName(), "TARGET");
    juce::MemoryOutputStream out;
    EXPECT_FALSE (stored.writeTo (out));

    // Reading a bank that cannot be kept in the swap file.
    juce::MemoryOutputStream chunk;
    ASSERT_TRUE (bigger.writeTo (chunk));
    juce::MemoryInputStream in (chunk.getData(), chunk.getDataSize(), false);
    FileSizeLimit limit (4096);
    try
    {
        stored.readFrom (in);
        FAIL();
    }
    catch (const Exception& e)
    {
        EXPECT_EQ (e.getMessageKey(), "Error_FileFailedToWriteTemporaryFile");
    }
}

TEST_F (StoredBankTest, AllDataFileHoldsTheBanksThenTheGlobalData)
{
    const int bankChunk = BankData().getChunkSize();
    const auto file = temp.folder.getChildFile ("backup.plvr_all");
    {
        AllData all;
        EXPECT_EQ (all.getChunkSize(), 32 + (32 + 8 * bankChunk) + 48);
        ASSERT_TRUE (DataFile::write (all, file));
    }

    juce::MemoryBlock bytes;
    ASSERT_TRUE (file.loadFileAsData (bytes));
    ASSERT_EQ ((int) bytes.getSize(), 32 + (32 + 8 * bankChunk) + 48);
    auto* p = static_cast<const uint8_t*> (bytes.getData());

    ByteBuilder expected;
    expected.text ("3872AllD").le16 (32).le32 (32 + 8 * bankChunk + 48).le16 (0).le16 (3).le16 (0)
            .le32 (2).le32 (0).fill (0xFF, 4)
            .text ("3872BnkS").le16 (32).le32 (8 * bankChunk).le16 (0).le16 (3).le16 (0)
            .le32 (8).le32 (bankChunk).fill (0xFF, 4);
    EXPECT_EQ (Bytes (p, p + 64), expected.bytes);

    juce::MemoryOutputStream defaultBank;
    BankData().writeTo (defaultBank);
    for (int i = 0; i < BankSet::numBanks; ++i)
        EXPECT_EQ (std::memcmp (p + 64 + i * bankChunk, defaultBank.getData(), (size_t) bankChunk), 0) << i;

    const auto global = ByteBuilder().text ("3872GlbD").le16 (32).le32 (16).le16 (0).le16 (3).le16 (0)
                            .le32 (1).le32 (16).fill (0xFF, 4)
                            .add ({ 0x46, 0x00, 0x01, 0x11, 0x00, 0x1A }).fill (0, 10).bytes;
    EXPECT_EQ (Bytes (p + bytes.getSize() - 48, p + bytes.getSize()), global);
}

TEST_F (StoredBankTest, AllDataRoundTripThroughSwapFiles)
{
    const auto file = temp.folder.getChildFile ("backup.plvr_all");
    {
        AllData all;
        for (int i = 0; i < BankSet::numBanks; ++i)
        {
            BankData bank;
            fillBank (bank, "bank" + BankSet::letterOf (i), 1000 * (i + 1));
            ASSERT_TRUE (all.getBankSet().storeFrom (i, bank));
        }
        all.getGlobalData().setField (GlobalData::midiClock, 2);
        ASSERT_TRUE (DataFile::write (all, file));
    }

    AllData back;
    juce::FileInputStream in (file);
    back.readFrom (in);
    EXPECT_EQ (in.getPosition(), file.getSize());
    EXPECT_EQ (back.getGlobalData().getField (GlobalData::midiClock), 2);

    for (int i = 0; i < BankSet::numBanks; ++i)
    {
        EXPECT_EQ (back.getBankSet().getBank (i).getInformation().bankName, "BANK" + BankSet::letterOf (i));
        BankData bank;
        ASSERT_TRUE (back.getBankSet().loadInto (i, bank));
        EXPECT_EQ (bank.getSample (0).getNumFrames(), 1000 * (i + 1));
    }

    const auto again = temp.folder.getChildFile ("again.plvr_all");
    ASSERT_TRUE (DataFile::write (back, again));
    EXPECT_TRUE (again.hasIdenticalContentTo (file));
}

TEST_F (StoredBankTest, BanksKeptInMemoryReadAndWriteTheSameFile)
{
    const auto file = temp.folder.getChildFile ("backup.plvr_all");
    {
        AllData all;
        BankData bank;
        fillBank (bank, "memory", 777);
        ASSERT_TRUE (all.getBankSet().storeFrom (5, bank));
        ASSERT_TRUE (DataFile::write (all, file));
    }

    AllData inMemory (BankStorage::memory);
    for (int i = 0; i < BankSet::numBanks; ++i)
        EXPECT_NE (dynamic_cast<MemoryBasedStoredBankData*> (&inMemory.getBankSet().getBank (i)), nullptr) << i;

    juce::FileInputStream in (file);
    inMemory.readFrom (in);
    EXPECT_EQ (inMemory.getBankSet().getBank (5).getInformation().bankName, "MEMORY");
    EXPECT_EQ (inMemory.getChunkSize(), (int) file.getSize());

    const auto again = temp.folder.getChildFile ("again.plvr_all");
    ASSERT_TRUE (DataFile::write (inMemory, again));
    EXPECT_TRUE (again.hasIdenticalContentTo (file));
}

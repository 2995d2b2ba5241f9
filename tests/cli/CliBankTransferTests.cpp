#include "device/BankTransferTestSupport.h"

#include "cli/CliRunner.h"
#include "cli/ServedDevice.h"
#include "device/virtual/VirtualPlovaraState.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace BankTransferTestSupport;

namespace
{
// The state file of an emulated device whose eight banks all differ.
void writeDistinctState (const juce::File& file)
{
    TestSupport::ScopedBufferIds bufferIds;
    TestSupport::ScopedUserFolders folders;
    VirtualPlovara device;

    for (int b = 0; b < VirtualPlovara::numBanks; ++b)
        device.setBank (b, deviceBank (b + 10));

    device.setGlobalData ({ 0x46, 0x00, 0x02, 0x11, 0x00, 0x1a, 1, 2, 3 });
    ASSERT_TRUE (VirtualPlovaraState::saveToFile (device, file));
}

juce::MemoryBlock contentsOf (const juce::File& file)
{
    juce::MemoryBlock block;
    file.loadFileAsData (block);
    return block;
}
}

TEST (CliBankTransfers, ABackupOfOneDeviceRestoresIntoAnotherByteForByte)
{
    TestSupport::TemporaryFolder temp;
    writeDistinctState (temp.folder.getChildFile ("source.plvr_all"));

    auto result = runCli ({ "--device", "virtual", "--virtual-state", "source.plvr_all", "receive-all", "backup.plvr_all", "--json" },
                          temp.folder);
    ASSERT_EQ (result.exitCode, 0) << result.err;
    auto json = result.json();
    EXPECT_TRUE ((bool) json["ok"]);
    ASSERT_EQ (json["banks"].size(), 8);
    EXPECT_EQ (json["banks"][3]["name"].toString(), "BANK13");

    {
        ServedDevice served (temp.folder, { "--state", temp.folder.getChildFile ("restored.plvr_all").getFullPathName() });
        result = runCli ({ "--device", served.deviceOption(), "write-all", "backup.plvr_all" }, temp.folder);
        ASSERT_EQ (result.exitCode, 0) << result.err;
    }

    result = runCli ({ "--device", "virtual", "--virtual-state", "restored.plvr_all", "receive-all", "again.plvr_all" }, temp.folder);
    ASSERT_EQ (result.exitCode, 0) << result.err;

    const auto backup = contentsOf (temp.folder.getChildFile ("backup.plvr_all"));
    EXPECT_GT (backup.getSize(), 8u * 2420u);
    EXPECT_TRUE (backup == contentsOf (temp.folder.getChildFile ("again.plvr_all")));
}

TEST (CliBankTransfers, OneBankAndThePatternsGoBothWays)
{
    TestSupport::TemporaryFolder temp;
    writeDistinctState (temp.folder.getChildFile ("device.plvr_all"));
    const juce::StringArray device { "--device", "virtual", "--virtual-state", "device.plvr_all" };
    auto withDevice = [&] (const juce::StringArray& arguments)
    {
        auto all = device;
        all.addArray (arguments);
        return runCli (all, temp.folder);
    };

    auto result = withDevice ({ "receive-bank", "c", "C.plvr_bank", "--json" });
    ASSERT_EQ (result.exitCode, 0) << result.err;
    EXPECT_EQ (result.json()["bank"].toString(), "C");
    EXPECT_EQ (result.json()["name"].toString(), "BANK12");

    result = withDevice ({ "write-bank", "C.plvr_bank", "current" });
    ASSERT_EQ (result.exitCode, 0) << result.err;

    // The device's current bank (A) is bank C now, patterns and all.
    result = withDevice ({ "receive-bank", "current", "A.plvr_bank" });
    ASSERT_EQ (result.exitCode, 0) << result.err;
    EXPECT_TRUE (contentsOf (temp.folder.getChildFile ("A.plvr_bank")) == contentsOf (temp.folder.getChildFile ("C.plvr_bank")));

    result = withDevice ({ "receive-patterns", "P.plvr_seq", "--json" });
    ASSERT_EQ (result.exitCode, 0) << result.err;
    ASSERT_EQ (result.json()["patterns"].size(), 16);
    EXPECT_EQ (result.json()["patterns"][5]["name"].toString(), "P12_5");

    result = withDevice ({ "write-patterns", "P.plvr_seq" });
    EXPECT_EQ (result.exitCode, 0) << result.err;
}

TEST (CliBankTransfers, UsageErrorsAndFailuresLeaveNoOutput)
{
    TestSupport::TemporaryFolder temp;

    EXPECT_EQ (runCli ({ "--device", "virtual", "receive-bank", "I", "X.plvr_bank" }, temp.folder).exitCode, 2);
    EXPECT_EQ (runCli ({ "--device", "virtual", "receive-bank", "X.plvr_bank" }, temp.folder).exitCode, 2);
    EXPECT_EQ (runCli ({ "--device", "virtual", "write-bank", "X.plvr_bank" }, temp.folder).exitCode, 2);
    EXPECT_EQ (runCli ({ "--device", "virtual", "receive-all" }, temp.folder).exitCode, 2);
    EXPECT_EQ (runCli ({ "--device", "virtual", "write-patterns", "a", "b" }, temp.folder).exitCode, 2);

    auto result = runCli ({ "--device", "socket:nobody.sock", "receive-all", "out.plvr_all", "--json" }, temp.folder);
    EXPECT_EQ (result.exitCode, 1);
    EXPECT_EQ (result.json()["error"].toString(), "Error_UsbDeviceNotFound");
    EXPECT_FALSE (temp.folder.getChildFile ("out.plvr_all").exists());

    result = runCli ({ "--device", "virtual", "write-all", "missing.plvr_all", "--json" }, temp.folder);
    EXPECT_EQ (result.exitCode, 1);
    EXPECT_EQ (result.json()["error"].toString(), "Error_FileTargetFileNotExist");
}

TEST (CliBankTransfers, CtrlCOrAnEndRequestCancelsAReceiveWhichThenWritesNothing)
{
    TestSupport::TemporaryFolder temp;
    writeDistinctState (temp.folder.getChildFile ("device.plvr_all"));
    // Slow replies: a receive of all banks would take half a minute.
    ServedDevice served (temp.folder, { "--state", temp.folder.getChildFile ("device.plvr_all").getFullPathName(), "--reply-delay", "20" });

    const auto output = temp.folder.getChildFile ("out.plvr_all");
    const juce::String device = served.deviceOption();
    const juce::String outputPath = output.getFullPathName();
    const char* arguments[] = { PLOVARA_CLI_PATH, "--device", device.toRawUTF8(), "receive-all", outputPath.toRawUTF8(), nullptr };

    for (int signal : { SIGINT, SIGTERM, SIGHUP })
    {
        pid_t pid = 0;
        ASSERT_EQ (posix_spawn (&pid, PLOVARA_CLI_PATH, nullptr, nullptr, const_cast<char**> (arguments), environ), 0);

        // Interrupted while the transfer runs.
        juce::Thread::sleep (500);
        kill (pid, signal);
        int status = 0;
        ASSERT_EQ (waitpid (pid, &status, 0), pid);

        ASSERT_TRUE (WIFEXITED (status)) << "signal " << signal;
        EXPECT_EQ (WEXITSTATUS (status), 1) << "signal " << signal;
        EXPECT_FALSE (output.exists()) << "signal " << signal;
    }
}

TEST (CliBankTransfers, ABackupCutShortIsRefusedAndTheDeviceKeepsItsMemory)
{
    TestSupport::TemporaryFolder temp;
    writeDistinctState (temp.folder.getChildFile ("device.plvr_all"));
    ServedDevice served (temp.folder, { "--state", temp.folder.getChildFile ("device.plvr_all").getFullPathName() });

    ASSERT_EQ (runCli ({ "--device", served.deviceOption(), "receive-all", "backup.plvr_all" }, temp.folder).exitCode, 0);
    const auto backup = contentsOf (temp.folder.getChildFile ("backup.plvr_all"));
    ASSERT_GT (backup.getSize(), 4000u);

    // In the root header, in the first bank's header, in a sample, in the
    // global data at the end.
    for (size_t length : { (size_t) 20, (size_t) 100, (size_t) 2000, backup.getSize() / 2, backup.getSize() - 1 })
    {
        temp.folder.getChildFile ("cut.plvr_all").replaceWithData (backup.getData(), length);
        const auto result = runCli ({ "--json", "--device", served.deviceOption(), "write-all", "cut.plvr_all" }, temp.folder);
        EXPECT_EQ (result.exitCode, 1) << "cut at " << length;
        EXPECT_EQ (result.json()["error"].toString(), "Error_FileFailedToReadDataSetHeader") << "cut at " << length;
    }

    ASSERT_EQ (runCli ({ "--device", served.deviceOption(), "receive-all", "after.plvr_all" }, temp.folder).exitCode, 0);
    EXPECT_TRUE (contentsOf (temp.folder.getChildFile ("after.plvr_all")) == backup);
}

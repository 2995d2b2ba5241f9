#include "TestSupport.h"
#include "cli/CliRunner.h"

#include "device/virtual/VirtualPlovaraState.h"

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace TestSupport;

namespace
{
// Writes the state of an emulated device whose bank C is called name.
void writeStateWithBankC (const juce::File& file, const juce::String& name)
{
    ScopedBufferIds bufferIds;
    ScopedUserFolders folders;
    VirtualPlovara device;
    auto bank = device.getBank (2);
    std::memcpy (bank.parameters.data(), name.paddedRight (' ', 8).toRawUTF8(), 8);
    device.setBank (2, bank);
    ASSERT_TRUE (VirtualPlovaraState::saveToFile (device, file));
}

juce::var describe (const juce::File& folder, const juce::String& fileName)
{
    auto result = runCli ({ "info", fileName, "--json" }, folder);
    EXPECT_EQ (result.exitCode, 0) << result.err;
    return result.json();
}
}

TEST (CliVirtualState, IdentifyKeepsTheVirtualDevicesMemoryInTheStateFile)
{
    TemporaryFolder temp;
    const auto state = temp.folder.getChildFile ("S.plvr_all");

    auto result = runCli ({ "--device", "virtual", "--virtual-state", "S.plvr_all", "identify", "--json" }, temp.folder);
    ASSERT_EQ (result.exitCode, 0) << result.err;
    ASSERT_TRUE (state.existsAsFile());

    auto json = describe (temp.folder, "S.plvr_all");
    EXPECT_EQ (json["kind"].toString(), "allData");
    ASSERT_EQ (json["banks"].size(), 8);
    EXPECT_EQ (json["banks"][2]["name"].toString(), "INITBANK");

    // A second run starts from the file, and writes back what it read.
    writeStateWithBankC (state, "KEPT");
    result = runCli ({ "identify", "--device=virtual", "--virtual-state=S.plvr_all" }, temp.folder);
    ASSERT_EQ (result.exitCode, 0) << result.err;
    EXPECT_EQ (describe (temp.folder, "S.plvr_all")["banks"][2]["name"].toString(), "KEPT");
}

TEST (CliVirtualState, ADamagedStateFileFailsTheCommandAndStays)
{
    TemporaryFolder temp;
    const auto state = temp.folder.getChildFile ("S.plvr_all");
    ASSERT_TRUE (state.replaceWithText ("not a backup"));

    auto result = runCli ({ "--json", "--device", "virtual", "--virtual-state", "S.plvr_all", "identify" }, temp.folder);
    EXPECT_EQ (result.exitCode, 1);
    EXPECT_EQ (result.json()["error"].toString(), "Error_FileUnsupportedChunk");
    EXPECT_EQ (state.loadFileAsString(), "not a backup");

    EXPECT_EQ (runCli ({ "--device", "usb", "--virtual-state", "S.plvr_all", "identify" }, temp.folder).exitCode, 2);
    EXPECT_EQ (runCli ({ "--device", "virtual", "identify", "--virtual-state" }, temp.folder).exitCode, 2);
}

TEST (CliVirtualState, TheServedDeviceStartsFromItsStateAndWritesItWhenTerminated)
{
    TemporaryFolder temp;
    const auto socket = temp.folder.getChildFile ("device.sock");
    const auto state = temp.folder.getChildFile ("served.plvr_all");
    writeStateWithBankC (state, "SERVED");

    const juce::String socketPath = socket.getFullPathName();
    const juce::String statePath = state.getFullPathName();
    const char* arguments[] = { PLOVARA_CLI_PATH, "virtual-device", "--socket", socketPath.toRawUTF8(),
                                "--state", statePath.toRawUTF8(), nullptr };
    pid_t pid = 0;
    ASSERT_EQ (posix_spawn (&pid, PLOVARA_CLI_PATH, nullptr, nullptr, const_cast<char**> (arguments), environ), 0);

    // The state is read before the socket opens; what is written at the end
    // comes from the device alone.
    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return socket.exists(); }, 10000));
    ASSERT_TRUE (state.deleteFile());

    kill (pid, SIGTERM);
    int status = 0;
    ASSERT_EQ (waitpid (pid, &status, 0), pid);
    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 0);

    ASSERT_TRUE (state.existsAsFile()) << "written again when terminated";
    EXPECT_EQ (describe (temp.folder, "served.plvr_all")["banks"][2]["name"].toString(), "SERVED");
}

#include "TestSupport.h"
#include "cli/CliRunner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

TEST (DeviceConnection, IdentifiesTheVirtualPlovara)
{
    auto result = runCli ({ "--device", "virtual", "identify", "--json" });
    ASSERT_EQ (result.exitCode, 0) << result.err;
    auto json = result.json();
    EXPECT_EQ ((int) json["channel"], 0);
    EXPECT_EQ ((int) json["family"], 0x7f);
    EXPECT_EQ ((int) json["member"], 0);

    setenv ("PLOVARA_DEVICE", "virtual", 1);
    result = runCli ({ "identify" });
    unsetenv ("PLOVARA_DEVICE");
    EXPECT_EQ (result.exitCode, 0) << result.err;
    EXPECT_TRUE (result.out.contains ("family: 127"));
}

TEST (DeviceConnection, RefusesUnknownDevicesAndReportsMissingOnes)
{
    EXPECT_EQ (runCli ({ "--device", "floppy", "identify" }).exitCode, 2);
    EXPECT_EQ (runCli ({ "identify", "--device" }).exitCode, 2);

    TestSupport::TemporaryFolder temp;
    auto result = runCli ({ "--device", "socket:nobody.sock", "identify", "--json" }, temp.folder);
    EXPECT_EQ (result.exitCode, 1);
    EXPECT_EQ (result.json()["error"].toString(), "Error_UsbDeviceNotFound");
}

TEST (DeviceConnection, ServesAVirtualPlovaraOnASocketUntilTerminated)
{
    TestSupport::TemporaryFolder temp;
    const auto socket = temp.folder.getChildFile ("device.sock");
    const juce::String socketPath = socket.getFullPathName();

    const char* arguments[] = { PLOVARA_CLI_PATH, "virtual-device", "--socket", socketPath.toRawUTF8(), nullptr };
    pid_t pid = 0;
    ASSERT_EQ (posix_spawn (&pid, PLOVARA_CLI_PATH, nullptr, nullptr, const_cast<char**> (arguments), environ), 0);

    ASSERT_TRUE (TestSupport::dispatchUntil ([&] { return socket.exists(); }, 10000));
    auto result = runCli ({ "--device", "socket:" + socketPath, "identify", "--json" });
    EXPECT_EQ (result.exitCode, 0) << result.err;
    EXPECT_EQ ((int) result.json()["family"], 0x7f);

    kill (pid, SIGTERM);
    int status = 0;
    ASSERT_EQ (waitpid (pid, &status, 0), pid);
    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 0);
    EXPECT_FALSE (socket.exists());
}

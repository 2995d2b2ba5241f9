#include "cli/ServedDevice.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

ServedDevice::ServedDevice (const juce::File& folder, const juce::StringArray& options)
    : socket (folder.getChildFile ("device.sock"))
{
    juce::StringArray arguments { PLOVARA_CLI_PATH, "virtual-device", "--socket", socket.getFullPathName() };
    arguments.addArray (options);

    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back (const_cast<char*> (argument.toRawUTF8()));
    argv.push_back (nullptr);

    EXPECT_EQ (posix_spawn (&pid, PLOVARA_CLI_PATH, nullptr, nullptr, argv.data(), environ), 0);
    EXPECT_TRUE (TestSupport::dispatchUntil ([&] { return socket.exists(); }, 10000));
}

void ServedDevice::stop()
{
    if (pid == 0)
        return;

    kill (pid, SIGTERM);
    int status = 0;
    waitpid (pid, &status, 0);
    pid = 0;
}

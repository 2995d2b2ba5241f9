#include "support/JackTestServer.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
constexpr int readySeconds = 10;

// True when the process ended within the time.
bool waitForExit (pid_t pid, int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += 10, juce::Thread::sleep (10))
        if (waitpid (pid, nullptr, WNOHANG) == pid)
            return true;
    return false;
}
}

JackTestServer::JackTestServer()
{
    static std::atomic<int> counter { 0 };
    name = "plovara-test-" + juce::String ((int) getpid()) + "-" + juce::String (++counter);

    if (start() && waitUntilReady())
        setenv ("JACK_DEFAULT_SERVER", name.toRawUTF8(), 1);
    else
        stop();
}

JackTestServer::~JackTestServer()
{
    if (isRunning())
        unsetenv ("JACK_DEFAULT_SERVER");
    stop();
}

bool JackTestServer::start()
{
    const juce::StringArray arguments { "jackd", "--no-realtime", "--name", name, "-d", "dummy",
                                        "-r", juce::String ((int) rate), "-p", juce::String (blockSize) };
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back (const_cast<char*> (argument.toRawUTF8()));
    argv.push_back (nullptr);

    // Its chatter stays out of the test output.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_addopen (&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen (&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int error = posix_spawnp (&pid, "jackd", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy (&actions);

    if (error == 0)
        return true;

    pid = -1;
    problem = error == ENOENT ? juce::String ("no JACK server: jackd is not installed (scripts/install-deps installs jackd2)")
                              : "no JACK server: jackd did not start (" + juce::String (strerror (error)) + ")";
    return false;
}

// jack_wait, from the server's package, returns once it could connect.
bool JackTestServer::waitUntilReady()
{
    juce::ChildProcess wait;
    if (wait.start (juce::StringArray { "jack_wait", "-s", name, "-w", "-t", juce::String (readySeconds) })
        && wait.waitForProcessToFinish ((readySeconds + 2) * 1000) && wait.getExitCode() == 0)
        return true;

    wait.kill();
    problem = "no JACK server: jackd \"" + name + "\" took no clients within " + juce::String (readySeconds) + " s";
    return false;
}

// Asked to stop first, so that it cleans up after itself.
void JackTestServer::stop()
{
    if (pid <= 0)
        return;

    kill (pid, SIGTERM);
    if (! waitForExit (pid, 5000))
    {
        kill (pid, SIGKILL);
        waitForExit (pid, 5000);
    }
    pid = -1;
}

std::unique_ptr<juce::AudioIODeviceType> JackTestServer::createDeviceType()
{
    std::unique_ptr<juce::AudioIODeviceType> type (juce::AudioIODeviceType::createAudioIODeviceType_JACK());
    if (type != nullptr)
        type->scanForDevices();
    return type;
}

#pragma once

#include <gtest/gtest.h>
#include <juce_audio_devices/juce_audio_devices.h>

#include <sys/types.h>

// A JACK server of its own for the tests that play through a real audio
// device: "jackd" with its dummy back end (48 kHz, 256 frames, no realtime
// scheduling) under a name no other server has. The name becomes this
// process's default server while the object lives, so JACK clients made
// meanwhile (the framework's JACK device type among them) reach it. The
// server is stopped when the object goes.
class JackTestServer
{
public:
    static constexpr double rate = 48000.0;
    static constexpr int blockSize = 256;

    // Waits at most a few seconds for the server to take clients.
    JackTestServer();
    ~JackTestServer();

    JackTestServer (const JackTestServer&) = delete;
    JackTestServer& operator= (const JackTestServer&) = delete;

    bool isRunning() const { return problem.isEmpty(); }

    // Why there is no server; empty while there is one.
    const juce::String& getProblem() const { return problem; }

    // The framework's JACK device type, scanned for this server's devices.
    static std::unique_ptr<juce::AudioIODeviceType> createDeviceType();

private:
    bool start();
    bool waitUntilReady();
    void stop();

    juce::String name;
    juce::String problem;
    pid_t pid = -1;
};

// Skips the test, saying why, when there is no server; under CI, where the
// server is installed, that fails the test instead.
#define PLOVARA_REQUIRE_JACK(server)                                                     \
    if (! (server).isRunning())                                                          \
    {                                                                                    \
        if (juce::SystemStats::getEnvironmentVariable ("CI", {}).isNotEmpty())           \
            FAIL() << (server).getProblem();                                             \
        GTEST_SKIP() << (server).getProblem();                                           \
    }

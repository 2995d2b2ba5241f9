#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

// Keeps the program to one running instance per user. The first instance
// listens on a local socket in the user's runtime folder; a later launch
// connects to it, hands over its command line and quits.
//
// (The framework's own hand-over only works on some platforms: on Linux the
// second launch quits without the first ever hearing of it.)
class SingleInstance
{
public:
    // The command line of a later launch and the folder it was started in.
    using CommandLineHandler = std::function<void (const juce::String& commandLine, const juce::File& workingDirectory)>;

    // socketPath: where the channel lives; see defaultSocketPath().
    explicit SingleInstance (juce::File socketPath);
    ~SingleInstance();

    // Tries to hand the command line to a running instance. True when one
    // took it: the caller should then quit.
    bool handOverToRunningInstance (const juce::String& commandLine);

    // Becomes the running instance: command lines of later launches are
    // given to the handler on the listening thread. False when the channel
    // could not be opened (the program then simply runs on its own).
    bool startListening (CommandLineHandler handler);
    void stopListening();

    static juce::File defaultSocketPath (const juce::String& applicationName);

private:
    void listenLoop();
    void serveConnection (int connection);

    juce::File path;
    CommandLineHandler onCommandLine;
    int listeningSocket = -1;
    std::atomic<bool> stopRequested { false };
    std::thread listener;
};

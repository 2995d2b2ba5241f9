#pragma once

#include "cli/CliCommand.h"

#include <functional>
#include <memory>

class Data;
class UsbSession;

// What every command of the tool that talks to the device shares: one
// session run against the device that --device names, with a progress bar
// and the session's status line on standard error when that is a terminal,
// Ctrl+C cancelling the session as the session window's Cancel button
// does, and one report of the outcome.
namespace DeviceCommand
{
    // What a command makes of a session that succeeded: the facts to report
    // (printed as {"ok":true, ...} with --json) and, when not empty, the
    // text to print instead of those facts as lines.
    struct Outcome
    {
        juce::DynamicObject::Ptr facts { new juce::DynamicObject() };
        juce::String text;
    };

    // Called once the session succeeded, while it still exists; throws
    // Exception with a message key when it fails (writing its output).
    using Finish = std::function<Outcome()>;

    // Runs the session and reports; answers the exit status. An unknown
    // device is a usage error of the command.
    int run (CliContext& context, const CliCommand& command, std::unique_ptr<UsbSession> session, const Finish& finish);

    // A path of the command line, relative to the working directory.
    juce::File resolve (const juce::String& path);

    // Reads a file of the program into the data (which must be its root
    // chunk); the message key of a failure, else empty.
    juce::String readFile (const juce::File& file, Data& data);

    // Writes the data as the whole file, which keeps its old content unless
    // the writing succeeded; throws Exception with the key of a failure.
    void writeFile (const juce::File& file, Data& data);
}

#pragma once

#include <juce_core/juce_core.h>

#include <iosfwd>
#include <memory>
#include <vector>

class VirtualPlovara;

// What a command of the command-line tool sees: its own arguments (global
// options already taken out), the global options, and where to write.
struct CliContext
{
    juce::StringArray arguments;
    bool json = false;
    juce::String device;   // --device or PLOVARA_DEVICE: usb, virtual or socket:PATH
    std::ostream& out;
    std::ostream& err;

    // With --device virtual and --virtual-state: the emulated device whose
    // memory the state file keeps; commands hand it to their DeviceConnection.
    std::shared_ptr<VirtualPlovara> virtualDevice {};
};

// Exit statuses of the tool.
namespace CliExit
{
    constexpr int success = 0;
    constexpr int failure = 1;
    constexpr int usage = 2;
}

// One command of the tool ("info", "identify", ...).
class CliCommand
{
public:
    virtual ~CliCommand() = default;

    virtual juce::String getName() const = 0;
    virtual juce::String getSummary() const = 0;   // one line for --help
    virtual juce::String getUsage() const = 0;     // the text of COMMAND --help
    virtual int run (CliContext& context) = 0;
};

// Reporting helpers shared by the commands.
namespace CliReport
{
    // A failure described by a message key: the text on standard error, or
    // {"error":key,"message":text} on standard output with --json.
    int failure (CliContext& context, const juce::String& messageKey);

    // A usage error: the message and the command's usage on standard error;
    // with --json also {"error":"usage","message":message} on standard output.
    int usageError (CliContext& context, const CliCommand& command, const juce::String& message);

    // What "error" holds for a usage error.
    inline const char* const usageErrorName = "usage";

    // {"error":error,"message":message} as one line.
    void printJsonError (std::ostream& out, const juce::String& error, const juce::String& message);

    // The English text of a message key.
    juce::String messageText (const juce::String& messageKey);

    void printJson (CliContext& context, const juce::var& value);
}

// Each command registers itself in its own source file:
//     static const CliRegistration registration ([] { return std::make_unique<MyCommand>(); });
struct CliRegistration
{
    using Factory = std::unique_ptr<CliCommand> (*)();
    explicit CliRegistration (Factory factory);
};

// One instance of every registered command, sorted by name.
std::vector<std::unique_ptr<CliCommand>> createCliCommands();

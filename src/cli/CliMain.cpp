#include "app/Exception.h"
#include "cli/CliCommand.h"
#include "data/AudioBuffer.h"
#include "data/SwapFolder.h"
#include "device/virtual/VirtualPlovaraState.h"
#include "resources/CZQVResource.h"
#include "resources/ConsoleMessageBoxes.h"
#include "resources/ResourceLanguage.h"

#include <juce_events/juce_events.h>

#include <csignal>
#include <iostream>

namespace
{
const juce::String toolVersion ("1.0.0");

// Options that may stand before or after the command name.
struct GlobalOptions
{
    bool json = false;
    bool help = false;
    bool version = false;
    juce::String device;
    bool deviceMissing = false;
    juce::String virtualState;
    bool virtualStateMissing = false;
};

juce::StringArray takeGlobalOptions (const juce::StringArray& all, GlobalOptions& options)
{
    juce::StringArray rest;

    for (int i = 0; i < all.size(); ++i)
    {
        const auto& argument = all[i];

        if (argument == "--device")
        {
            options.deviceMissing = i + 1 >= all.size();
            options.device = all[++i];
        }
        else if (argument.startsWith ("--device="))
            options.device = argument.fromFirstOccurrenceOf ("=", false, false);
        else if (argument == "--virtual-state")
        {
            options.virtualStateMissing = i + 1 >= all.size();
            options.virtualState = all[++i];
        }
        else if (argument.startsWith ("--virtual-state="))
            options.virtualState = argument.fromFirstOccurrenceOf ("=", false, false);
        else if (argument == "--json")
            options.json = true;
        else if (argument == "--help" || argument == "-h")
            options.help = true;
        else if (argument == "--version")
            options.version = true;
        else
            rest.add (argument);
    }
    return rest;
}

void printOverview (std::ostream& stream, const std::vector<std::unique_ptr<CliCommand>>& commands)
{
    stream << "plovara-cli " << toolVersion << ": the Plovara editor's command-line tool\n\n"
           << "usage: plovara-cli [--json] [--device DEVICE] COMMAND [ARGUMENTS]\n"
           << "       plovara-cli COMMAND --help\n"
           << "       plovara-cli --version\n\n"
           << "Global options (before or after the command):\n"
           << "  --json     print results as one JSON object on standard output\n"
           << "  --device usb|virtual|socket:PATH\n"
           << "             the device to talk to (default usb, or the PLOVARA_DEVICE\n"
           << "             environment variable); virtual is an emulated Plovara of the\n"
           << "             tool's own, socket:PATH one served by 'virtual-device'\n"
           << "  --virtual-state FILE.plvr_all\n"
           << "             with --device virtual: the emulated Plovara's memory, read\n"
           << "             from FILE when it exists and written back to it when the\n"
           << "             command succeeds\n\n"
           << "Commands:\n";

    for (auto& command : commands)
        stream << "  " << command->getName().paddedRight (' ', 16).toStdString()
               << command->getSummary().toStdString() << "\n";

    stream << "\nExit status: 0 success, 1 the operation failed, 2 usage error.\n";
}

CliCommand* findCommand (const std::vector<std::unique_ptr<CliCommand>>& commands, const juce::String& name)
{
    for (auto& command : commands)
        if (command->getName() == name)
            return command.get();

    return nullptr;
}

// Runs the command; with a state file for the emulated device, the device
// starts from the file (when there is one) and the file takes its memory
// once the command has succeeded.
int runWithVirtualState (CliCommand& command, CliContext& context, const juce::String& statePath)
{
    if (statePath.isEmpty())
        return command.run (context);

    const auto stateFile = juce::File::getCurrentWorkingDirectory().getChildFile (statePath);
    context.virtualDevice = std::make_shared<VirtualPlovara>();

    try
    {
        if (stateFile.existsAsFile())
            VirtualPlovaraState::loadFromFile (*context.virtualDevice, stateFile);

        const int status = command.run (context);

        if (status == CliExit::success && ! VirtualPlovaraState::saveToFile (*context.virtualDevice, stateFile))
            return CliReport::failure (context, "Error_FileFailedToOpenToSave");

        return status;
    }
    catch (const Exception& e)
    {
        return CliReport::failure (context, e.getMessageKey());
    }
}

int runTool (const juce::StringArray& arguments)
{
    const auto commands = createCliCommands();

    GlobalOptions options;
    options.device = juce::SystemStats::getEnvironmentVariable ("PLOVARA_DEVICE", "usb");
    auto rest = takeGlobalOptions (arguments, options);

    const auto usageError = [&options] (const juce::String& message)
    {
        if (options.json)
            CliReport::printJsonError (std::cout, CliReport::usageErrorName, message);

        std::cerr << "plovara-cli: " << message << "\n";
        return CliExit::usage;
    };

    if (options.deviceMissing)
        return usageError ("--device needs usb, virtual or socket:PATH");

    if (options.virtualStateMissing)
        return usageError ("--virtual-state needs a FILE");

    if (options.virtualState.isNotEmpty() && options.device != "virtual")
        return usageError ("--virtual-state goes with --device virtual only");

    if (options.version && rest.isEmpty())
    {
        std::cout << "plovara-cli " << toolVersion << std::endl;
        return CliExit::success;
    }

    if (rest.isEmpty() && options.help)
    {
        printOverview (std::cout, commands);
        return CliExit::success;
    }

    auto* command = rest.isEmpty() ? nullptr : findCommand (commands, rest[0]);

    if (command == nullptr)
    {
        const auto status = usageError (rest.isEmpty() ? juce::String ("a COMMAND is needed")
                                                       : "unknown command '" + rest[0] + "'");
        std::cerr << "\n";
        printOverview (std::cerr, commands);
        return status;
    }

    if (options.help)
    {
        std::cout << command->getUsage() << std::endl;
        return CliExit::success;
    }

    rest.remove (0);
    CliContext context { rest, options.json, options.device, std::cout, std::cerr };
    return runWithVirtualState (*command, context, options.virtualState);
}
}

int main (int argc, char* argv[])
{
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    AudioBufferIdManager::getInstance();

    // A file size limit makes a write fail (and the old file stay) instead
    // of ending the tool with a temporary file left behind.
    std::signal (SIGXFSZ, SIG_IGN);
    SwapFolder::clearStaleFolders();

    // The tool speaks English; message boxes raised on the way go to standard error.
    ResourceLanguage::choose (ResourceLanguage::english);
    CZQVResource::getInstance();
    ConsoleMessageBoxes messageBoxes (std::cerr);
    ScopedMessageBoxes installedMessageBoxes (messageBoxes);

    juce::StringArray arguments;
    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    const int status = runTool (arguments);

    CZQVResource::releaseInstance();
    AudioBufferIdManager::releaseInstance();
    return status;
}

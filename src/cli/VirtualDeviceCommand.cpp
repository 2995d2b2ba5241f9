#include "app/Exception.h"
#include "cli/CliCommand.h"
#include "device/virtual/VirtualDeviceServer.h"
#include "device/virtual/VirtualPlovaraState.h"

#include <csignal>
#include <ostream>
#include <pthread.h>

namespace
{
// Serves an emulated Plovara on a socket until interrupted.
class VirtualDeviceCommand : public CliCommand
{
public:
    juce::String getName() const override { return "virtual-device"; }
    juce::String getSummary() const override { return "serve an emulated Plovara on a socket"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli virtual-device --socket PATH [--state FILE.plvr_all] [--reply-delay MS]\n\n"
               "Serves an emulated Plovara on a Unix socket at PATH until interrupted\n"
               "(SIGINT or SIGTERM). Other runs of the tool reach it with\n"
               "--device socket:PATH. The device starts in its initial state, or with\n"
               "the memory kept in FILE when FILE exists; when interrupted it writes its\n"
               "memory to FILE. --reply-delay makes every reply of the device come MS\n"
               "milliseconds late, as a slow device would.";
    }

    int run (CliContext& context) override
    {
        juce::String socketPath, statePath;
        int replyDelayMs = 0;

        if (! takeOptions (context.arguments, socketPath, statePath, replyDelayMs))
            return CliReport::usageError (context, *this, "virtual-device takes --socket PATH [--state FILE] [--reply-delay MS]");

        const auto workingDirectory = juce::File::getCurrentWorkingDirectory();
        const auto path = workingDirectory.getChildFile (socketPath).getFullPathName();
        const auto stateFile = statePath.isEmpty() ? juce::File() : workingDirectory.getChildFile (statePath);
        auto device = std::make_shared<VirtualPlovara>();
        auto faults = device->getFaults();
        faults.replyDelayMs = replyDelayMs;
        device->setFaults (faults);

        try
        {
            if (stateFile.existsAsFile())
                VirtualPlovaraState::loadFromFile (*device, stateFile);
        }
        catch (const Exception& e)
        {
            return CliReport::failure (context, e.getMessageKey());
        }

        // The signals are taken by this thread alone; the server's thread,
        // started afterwards, inherits the blocked mask.
        sigset_t signals;
        sigemptyset (&signals);
        sigaddset (&signals, SIGINT);
        sigaddset (&signals, SIGTERM);
        pthread_sigmask (SIG_BLOCK, &signals, nullptr);

        VirtualDeviceServer server (device, path);

        if (! server.start())
            return CliReport::failure (context, "Error_UsbPortInvalid");

        context.err << "Serving a virtual Plovara on " << path.toStdString() << std::endl;

        int received = 0;
        sigwait (&signals, &received);
        server.stop();
        return stateFile == juce::File() ? CliExit::success : saveState (context, *device, stateFile);
    }

private:
    static bool takeOptions (const juce::StringArray& arguments, juce::String& socketPath, juce::String& statePath,
                             int& replyDelayMs)
    {
        for (int i = 0; i + 1 < arguments.size(); i += 2)
        {
            if (arguments[i] == "--socket")
                socketPath = arguments[i + 1];
            else if (arguments[i] == "--state")
                statePath = arguments[i + 1];
            else if (arguments[i] == "--reply-delay" && arguments[i + 1].containsOnly ("0123456789") && arguments[i + 1].length() <= 5)
                replyDelayMs = arguments[i + 1].getIntValue();
            else
                return false;
        }

        return arguments.size() % 2 == 0 && socketPath.isNotEmpty();
    }

    static int saveState (CliContext& context, const VirtualPlovara& device, const juce::File& stateFile)
    {
        try
        {
            if (VirtualPlovaraState::saveToFile (device, stateFile))
                return CliExit::success;

            return CliReport::failure (context, "Error_FileFailedToOpenToSave");
        }
        catch (const Exception& e)
        {
            return CliReport::failure (context, e.getMessageKey());
        }
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<VirtualDeviceCommand>(); });
}

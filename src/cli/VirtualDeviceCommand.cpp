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
        return "usage: plovara-cli virtual-device --socket PATH [--state FILE.plvr_all] [--reply-delay MS]\n"
               "                                  [--unplug-after-bytes N] [--stop-answering-after N]\n"
               "                                  [--not-ready] [--protect]\n\n"
               "Serves an emulated Plovara on a Unix socket at PATH until interrupted\n"
               "(SIGINT or SIGTERM). Other runs of the tool reach it with\n"
               "--device socket:PATH. The device starts in its initial state, or with\n"
               "the memory kept in FILE when FILE exists; when interrupted it writes its\n"
               "memory to FILE. --reply-delay makes every reply of the device come MS\n"
               "milliseconds late, as a slow device would.\n\n"
               "Faults, for trying out how the program copes:\n"
               "  --unplug-after-bytes N   the connection drops once the device sent N more\n"
               "                           bytes (replies and bulk data; once only)\n"
               "  --stop-answering-after N the device sends N more replies (its answer to\n"
               "                           the inquiry too), then none\n"
               "  --not-ready              every request and write is answered \"not ready\",\n"
               "                           as while the device shows its write page\n"
               "  --protect                memory protect is on: writes are refused (a global\n"
               "                           setting, which FILE keeps)";
    }

    int run (CliContext& context) override
    {
        Options options;

        if (! takeOptions (context.arguments, options))
            return CliReport::usageError (context, *this, "virtual-device takes --socket PATH and the options of its --help");

        const auto workingDirectory = juce::File::getCurrentWorkingDirectory();
        const auto path = workingDirectory.getChildFile (options.socketPath).getFullPathName();
        const auto stateFile = options.statePath.isEmpty() ? juce::File() : workingDirectory.getChildFile (options.statePath);
        auto device = std::make_shared<VirtualPlovara>();
        device->setFaults (options.faults);

        try
        {
            if (stateFile.existsAsFile())
                VirtualPlovaraState::loadFromFile (*device, stateFile);

            // Protect is a switch of the global data, so it goes on over the kept memory.
            if (options.protect)
                device->setMemoryProtect (true);
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
    struct Options
    {
        juce::String socketPath, statePath;
        VirtualPlovara::Faults faults;
        bool protect = false;
    };

    // A count of the command line, or -1 when the text is none.
    static int countOf (const juce::String& text)
    {
        return text.isNotEmpty() && text.length() <= 9 && text.containsOnly ("0123456789") ? text.getIntValue() : -1;
    }

    static bool takeOptions (const juce::StringArray& arguments, Options& options)
    {
        for (int i = 0; i < arguments.size(); ++i)
        {
            const auto& option = arguments[i];

            if (option == "--not-ready")
            {
                options.faults.notReady = true;
                continue;
            }

            if (option == "--protect")
            {
                options.protect = true;
                continue;
            }

            if (i + 1 >= arguments.size())
                return false;

            const auto& value = arguments[++i];
            const int count = countOf (value);

            if (option == "--socket")
                options.socketPath = value;
            else if (option == "--state")
                options.statePath = value;
            else if (option == "--reply-delay" && count >= 0 && count <= 99999)
                options.faults.replyDelayMs = count;
            else if (option == "--unplug-after-bytes" && count >= 0)
                options.faults.unplugAfterBytes = count;
            else if (option == "--stop-answering-after" && count >= 0)
                options.faults.repliesUntilSilent = count;
            else
                return false;
        }

        return options.socketPath.isNotEmpty();
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

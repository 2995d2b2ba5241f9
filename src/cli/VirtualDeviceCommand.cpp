#include "cli/CliCommand.h"
#include "device/virtual/VirtualDeviceServer.h"

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
        return "usage: plovara-cli virtual-device --socket PATH\n\n"
               "Serves an emulated Plovara, in its initial state, on a Unix socket at\n"
               "PATH until interrupted (SIGINT or SIGTERM). Other runs of the tool reach\n"
               "it with --device socket:PATH.";
    }

    int run (CliContext& context) override
    {
        if (context.arguments.size() != 2 || context.arguments[0] != "--socket")
            return CliReport::usageError (context, *this, "virtual-device takes --socket PATH");

        const auto path = juce::File::getCurrentWorkingDirectory().getChildFile (context.arguments[1]).getFullPathName();

        // The signals are taken by this thread alone; the server's thread,
        // started afterwards, inherits the blocked mask.
        sigset_t signals;
        sigemptyset (&signals);
        sigaddset (&signals, SIGINT);
        sigaddset (&signals, SIGTERM);
        pthread_sigmask (SIG_BLOCK, &signals, nullptr);

        VirtualDeviceServer server (std::make_shared<VirtualPlovara>(), path);

        if (! server.start())
            return CliReport::failure (context, "Error_UsbPortInvalid");

        context.err << "Serving a virtual Plovara on " << path.toStdString() << std::endl;

        int received = 0;
        sigwait (&signals, &received);
        server.stop();
        return CliExit::success;
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<VirtualDeviceCommand>(); });
}

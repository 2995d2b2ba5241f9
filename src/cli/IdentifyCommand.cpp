#include "cli/CliCommand.h"
#include "cli/Describe.h"
#include "device/DeviceConnection.h"
#include "device/DeviceInquiry.h"

#include <ostream>

namespace
{
// Asks the device who it is.
class IdentifyCommand : public CliCommand
{
public:
    juce::String getName() const override { return "identify"; }
    juce::String getSummary() const override { return "ask the device who it is"; }
    juce::String getUsage() const override
    {
        return "usage: plovara-cli [--device DEVICE] identify [--json]\n\n"
               "Sends the device inquiry and prints the MIDI channel (0 to 15) the device\n"
               "answered on, its family code and its member code. Fails when no device\n"
               "answers or the device is not a Plovara.";
    }

    int run (CliContext& context) override
    {
        if (! context.arguments.isEmpty())
            return CliReport::usageError (context, *this, "identify takes no arguments");

        DeviceConnection::Choice choice;
        if (! DeviceConnection::parse (context.device, choice))
            return CliReport::usageError (context, *this, "unknown device '" + context.device + "'");

        choice.virtualDevice = context.virtualDevice;
        DeviceConnection device (choice);

        if (const auto failure = device.open(); failure.isNotEmpty())
            return CliReport::failure (context, failure);

        DeviceInquiry inquiry;
        inquiry.run();

        if (inquiry.getErrorKey().isNotEmpty())
            return CliReport::failure (context, inquiry.getErrorKey());

        juce::DynamicObject::Ptr result (new juce::DynamicObject());
        result->setProperty ("channel", inquiry.getChannel());
        result->setProperty ("family", inquiry.getFamilyCode());
        result->setProperty ("member", inquiry.getMemberCode());

        if (context.json)
            CliReport::printJson (context, juce::var (result.get()));
        else
            context.out << Describe::asText (juce::var (result.get())).toStdString();

        return CliExit::success;
    }
};

const CliRegistration registration ([]() -> std::unique_ptr<CliCommand> { return std::make_unique<IdentifyCommand>(); });
}

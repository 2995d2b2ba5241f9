#pragma once

#include "cli/DeviceCommand.h"

class CompositeSession;

// What the commands that move banks and pattern sets share.
namespace BankTransferCommandSupport
{
    constexpr int noBank = -2;

    // "A" to "H" (either case) give 0 to 7 and "current" the device's
    // current bank (-1); anything else gives noBank.
    int parseBank (const juce::String& text);

    // "A" to "H", or "current".
    juce::String bankName (int bankNumber);

    // How the usage texts describe the argument.
    inline const char* const bankDescription = "BANK is a bank A ... H, or current for the device's current bank";

    // Runs the transfer as every device command does; its result is made
    // only when the transfer went through whole. A cancelled transfer,
    // which the session counts as a success, writes nothing and fails.
    int run (CliContext& context, const CliCommand& command, std::unique_ptr<CompositeSession> session,
             const DeviceCommand::Finish& finish);
}

#include "cli/BankTransferCommandSupport.h"

#include "app/Exception.h"
#include "device/BankTransferSession.h"

#include <atomic>

namespace BankTransferCommandSupport
{
namespace
{
const juce::String letters ("ABCDEFGH");
const juce::String current ("current");
}

int parseBank (const juce::String& text)
{
    if (text.equalsIgnoreCase (current))
        return BankTransferSession::currentBank;

    const int index = letters.indexOfIgnoreCase (text);
    return text.length() == 1 && index >= 0 ? index : noBank;
}

juce::String bankName (int bankNumber)
{
    return bankNumber == BankTransferSession::currentBank ? current : letters.substring (bankNumber, bankNumber + 1);
}

int run (CliContext& context, const CliCommand& command, std::unique_ptr<CompositeSession> session,
         const DeviceCommand::Finish& finish)
{
    auto completed = std::make_shared<std::atomic<bool>> (false);
    session->setCompletionHook ([completed] { *completed = true; });

    return DeviceCommand::run (context, command, std::move (session), [completed, &finish]
    {
        if (! *completed)
            throw Exception ("ThreadRunningSampleImporter_Canceled");

        return finish();
    });
}
}

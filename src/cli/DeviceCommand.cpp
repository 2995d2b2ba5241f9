#include "cli/DeviceCommand.h"
#include "cli/SampleFileTool.h"

#include "app/Exception.h"
#include "cli/Describe.h"
#include "cli/InterruptCatcher.h"
#include "data/Data.h"
#include "data/DataFile.h"
#include "device/DeviceConnection.h"
#include "files/DataFileAccess.h"
#include "device/ItemSession.h"

#include <atomic>
#include <ostream>
#include <unistd.h>

namespace DeviceCommand
{
namespace
{
// The string table's text for a job the user cancelled.
const juce::String cancelledKey ("ThreadRunningSampleImporter_Canceled");

// A bar of the session's progress with its status line, redrawn in place.
class ProgressBar
{
public:
    explicit ProgressBar (std::ostream& stream)
        : out (stream), shown (isatty (STDERR_FILENO) != 0)
    {
    }

    ~ProgressBar()
    {
        if (drawn)
            out << std::endl;
    }

    void show (double fraction, const juce::String& status)
    {
        const int filled = juce::roundToInt (juce::jlimit (0.0, 1.0, fraction) * barWidth);
        const auto percent = juce::String (juce::roundToInt (fraction * 100.0)).paddedLeft (' ', 3);
        const auto line = "[" + juce::String::repeatedString ("#", filled) + juce::String::repeatedString ("-", barWidth - filled)
                        + "] " + percent + "% " + status;

        if (! shown || line == lastLine)
            return;

        // Spaces wipe what a longer line left behind.
        out << "\r" << line.paddedRight (' ', lastLine.length()).toStdString() << std::flush;
        lastLine = line;
        drawn = true;
    }

private:
    static constexpr int barWidth = 30;

    std::ostream& out;
    const bool shown;
    bool drawn = false;
    juce::String lastLine;
};

// The session's own report of its end; the manager relays it too, but only
// through the message loop.
struct FinishRecorder : UsbSessionListener
{
    void sessionStarted (UsbSession*) override {}
    void sessionProgress (UsbSession*, double) override {}
    void sessionStatus (UsbSession*, const juce::String&) override {}
    void sessionFinished (UsbSession*, bool success) override { succeeded = success; }

    std::atomic<bool> succeeded { false };
};

// The session's progress; an item session's own progress only moves at its
// end, so the bar follows its bulk data until then.
double progressOf (const UsbSession& session)
{
    auto* item = dynamic_cast<const ItemSession*> (&session);
    const double own = session.getProgress();
    return item != nullptr && own < 1.0 ? std::max (own, item->getTransferProgress()) : own;
}

// Runs the session to its end while the message loop turns (receive
// sessions hand work to it); answers whether the user cancelled it.
bool runToEnd (CliContext& context, UsbSessionManager& manager, UsbSession& session)
{
    const InterruptCatcher interrupts;
    ProgressBar bar (context.err);
    bool cancelled = false;

    while (session.isThreadRunning())
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
        bar.show (progressOf (session), session.getStatus());

        if (interrupts.wasInterrupted() && ! cancelled)
        {
            cancelled = true;
            bar.show (progressOf (session), CliReport::messageText ("Communication_WaitCanceling"));
            manager.cancelSession();
        }
    }

    bar.show (progressOf (session), session.getStatus());
    return cancelled;
}

int report (CliContext& context, const Outcome& outcome)
{
    if (context.json)
    {
        juce::DynamicObject::Ptr object (new juce::DynamicObject());
        object->setProperty ("ok", true);

        for (auto& property : outcome.facts->getProperties())
            object->setProperty (property.name, property.value);

        CliReport::printJson (context, juce::var (object.get()));
    }
    else
    {
        context.out << (outcome.text.isNotEmpty() ? outcome.text : Describe::asText (juce::var (outcome.facts.get())))
                           .toStdString();
    }
    return CliExit::success;
}
}

int run (CliContext& context, const CliCommand& command, std::unique_ptr<UsbSession> session, const Finish& finish)
{
    DeviceConnection::Choice choice;
    if (! DeviceConnection::parse (context.device, choice))
        return CliReport::usageError (context, command, "unknown device '" + context.device + "'");

    // Made before the connection, whose manager keeps the session, so
    // that it outlives the session.
    FinishRecorder recorder;
    auto& running = *session;
    running.addListener (&recorder);

    choice.virtualDevice = context.virtualDevice;
    DeviceConnection device (choice);

    if (const auto failure = device.open(); failure.isNotEmpty())
        return CliReport::failure (context, failure);

    try
    {
        auto& manager = device.getManager();

        if (! manager.startSession (std::move (session)))
            return CliReport::failure (context, running.getErrorKey());

        const bool cancelled = runToEnd (context, manager, running);

        // An item runs to its end or its time-out after a cancel; whatever
        // that brought, the user asked for the session to end.
        if (! recorder.succeeded)
        {
            const auto key = running.getErrorKey();

            if (cancelled || key.isEmpty())
                return CliReport::failure (context, cancelled ? cancelledKey : juce::String ("Error_UnknownError"));

            return CliReport::failure (context, key);
        }

        return report (context, finish());
    }
    catch (const Exception& e)
    {
        return CliReport::failure (context, e.getMessageKey());
    }
}

juce::File resolve (const juce::String& path)
{
    return SampleFileTool::resolve (path);
}

juce::String readFile (const juce::File& file, Data& data)
{
    return SampleFileTool::readFile (file, data);
}

void writeFile (const juce::File& file, Data& data)
{
    if (const auto failure = DataFileAccess::write (data, file); failure.isNotEmpty())
        throw Exception (failure);
}
}

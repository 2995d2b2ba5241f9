#include "app/TerminationSignals.h"

#include <atomic>
#include <csignal>

namespace
{
std::atomic<bool> requested { false };
static_assert (std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

void requestTermination (int)
{
    requested.store (true);
}

void handle (int signalNumber)
{
    struct sigaction action {};
    action.sa_handler = requestTermination;
    sigemptyset (&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction (signalNumber, &action, nullptr);
}
}

void TerminationSignals::install()
{
    handle (SIGTERM);
    handle (SIGINT);
}

bool TerminationSignals::takeRequest()
{
    return requested.exchange (false);
}

#include "cli/InterruptCatcher.h"

#include <csignal>
#include <iterator>

namespace
{
volatile std::sig_atomic_t interruptRequested = 0;

extern "C" void requestInterrupt (int)
{
    interruptRequested = 1;
}
}

InterruptCatcher::InterruptCatcher()
{
    interruptRequested = 0;

    struct sigaction action {};
    action.sa_handler = requestInterrupt;
    sigemptyset (&action.sa_mask);

    for (size_t i = 0; i < std::size (caught); ++i)
        sigaction (caught[i], &action, &previous[i]);
}

InterruptCatcher::~InterruptCatcher()
{
    for (size_t i = 0; i < std::size (caught); ++i)
        sigaction (caught[i], &previous[i], nullptr);
}

bool InterruptCatcher::wasInterrupted() const
{
    return interruptRequested != 0;
}

#pragma once

#include <signal.h>

// While it exists, Ctrl+C (SIGINT), a termination request (SIGTERM) and a
// closed terminal (SIGHUP) are noted instead of ending the tool, so that the
// work in progress can be cancelled and cleaned up; the command then fails.
class InterruptCatcher
{
public:
    InterruptCatcher();
    ~InterruptCatcher();

    InterruptCatcher (const InterruptCatcher&) = delete;
    InterruptCatcher& operator= (const InterruptCatcher&) = delete;

    bool wasInterrupted() const;

private:
    static constexpr int caught[] = { SIGINT, SIGTERM, SIGHUP };
    struct sigaction previous[3] {};
};

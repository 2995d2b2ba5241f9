#pragma once

// SIGTERM and SIGINT as requests to quit. The handlers only raise a flag,
// which is all a signal handler may safely do; the message thread polls it
// and quits as the window's close button does.
namespace TerminationSignals
{
    // Replaces the handlers of both signals.
    void install();

    // Whether a signal arrived since the last call; clears the request.
    // Any thread.
    bool takeRequest();
}

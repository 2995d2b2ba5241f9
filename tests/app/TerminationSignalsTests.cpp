#include "app/TerminationSignals.h"

#include <gtest/gtest.h>

#include <csignal>

// The program lives on: each signal becomes one request to quit.
TEST (TerminationSignals, EachSignalBecomesOneRequest)
{
    TerminationSignals::install();
    EXPECT_FALSE (TerminationSignals::takeRequest());

    for (int signalNumber : { SIGTERM, SIGINT })
    {
        ASSERT_EQ (std::raise (signalNumber), 0);
        EXPECT_TRUE (TerminationSignals::takeRequest()) << signalNumber;
        EXPECT_FALSE (TerminationSignals::takeRequest()) << signalNumber;
    }
}

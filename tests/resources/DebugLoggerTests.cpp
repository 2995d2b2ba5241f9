#include "resources/DebugLogger.h"

#include <gtest/gtest.h>

TEST (DebugLogger, KeepsTheLatestHundredLines)
{
    DebugLogger logger;
    logger.logMessage ("Kernel Version: 1.0.2.3");
    EXPECT_EQ (logger.getLines(), juce::StringArray ("Kernel Version: 1.0.2.3"));

    for (int i = 1; i <= 150; ++i)
        logger.logMessage ("line " + juce::String (i));

    const auto lines = logger.getLines();
    ASSERT_EQ (lines.size(), 100);
    EXPECT_EQ (lines[0], "line 51");
    EXPECT_EQ (lines[99], "line 150");
}

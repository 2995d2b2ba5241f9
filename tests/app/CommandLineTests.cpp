#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST (CommandLine, QuotedPathAfterAnOptionIsTheFile)
{
    EXPECT_EQ (CommandLine::fileToOpen ("-debug \"/home/me/My Banks/live set.plvr_bank\""),
               "/home/me/My Banks/live set.plvr_bank");
}

TEST (CommandLine, OnlyOptionsOpenNothing)
{
    EXPECT_EQ (CommandLine::fileToOpen ("-a -b --c"), "");
    EXPECT_EQ (CommandLine::fileToOpen (""), "");
}

TEST (CommandLine, TwoSpacesMakeAnEmptyTokenThatCountsAsTheFile)
{
    EXPECT_EQ (CommandLine::tokenise ("-a  b"), juce::StringArray ({ "-a", "", "b" }));
    EXPECT_EQ (CommandLine::fileToOpen ("-a  b"), "");
}

TEST (CommandLine, QuotesToggleAndClosingQuoteKeepsEmptyTokens)
{
    EXPECT_EQ (CommandLine::tokenise ("\"\" x"), juce::StringArray ({ "", "", "x" }));
    EXPECT_EQ (CommandLine::tokenise ("a\"b c\"d"), juce::StringArray ({ "ab c", "d" }));
    EXPECT_EQ (CommandLine::fileToOpen ("first second"), "first");
}

TEST (CommandLine, ValuesOfTheDeviceOptionsAreNoFiles)
{
    EXPECT_EQ (CommandLine::fileToOpen ("--device virtual --virtual-state mem.plvr_all set.plvr_bank"), "set.plvr_bank");
    EXPECT_EQ (CommandLine::fileToOpen ("--device=virtual --demo"), "");
}

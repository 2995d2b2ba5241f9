#include "cli/CliRunner.h"

#include <gtest/gtest.h>

TEST (CliStrings, PrintsTheTableAsJsonInEitherLanguage)
{
    auto english = runCli ({ "strings", "--lang", "en", "--json" });
    ASSERT_EQ (english.exitCode, 0) << english.err;
    const auto englishJson = english.json();
    auto* englishTable = englishJson.getDynamicObject();
    ASSERT_NE (englishTable, nullptr);
    EXPECT_EQ (englishTable->getProperties().size(), 386);
    EXPECT_EQ (englishTable->getProperty ("Error_FileUnsupportedChunk").toString(), "Unsupported file format.");

    auto japanese = runCli ({ "--json", "strings", "--lang=ja" });
    ASSERT_EQ (japanese.exitCode, 0) << japanese.err;
    const auto japaneseJson = japanese.json();
    auto* japaneseTable = japaneseJson.getDynamicObject();
    ASSERT_NE (japaneseTable, nullptr);
    EXPECT_EQ (japaneseTable->getProperties().size(), 386);
    EXPECT_EQ (japaneseTable->getProperty ("Button_Cancel").toString(), juce::String::fromUTF8 ("キャンセル"));
}

TEST (CliStrings, PrintsOneKeyAndTextPerLine)
{
    auto result = runCli ({ "strings", "--lang", "en" });
    ASSERT_EQ (result.exitCode, 0) << result.err;

    juce::StringArray lines;
    lines.addLines (result.out.trimEnd());
    EXPECT_EQ (lines.size(), 386);
    EXPECT_TRUE (lines.contains ("Button_Ok\tOK"));
    EXPECT_TRUE (lines.contains ("About_VersionPrefix\tVersion "));
}

TEST (CliStrings, UnknownLanguagesAndArgumentsAreUsageErrors)
{
    auto unknown = runCli ({ "strings", "--lang", "fr" });
    EXPECT_EQ (unknown.exitCode, 2);
    EXPECT_TRUE (unknown.err.contains ("fr"));
    EXPECT_TRUE (unknown.out.isEmpty());

    EXPECT_EQ (runCli ({ "strings", "--lang" }).exitCode, 2);
    EXPECT_EQ (runCli ({ "strings", "extra" }).exitCode, 2);
}

#include "resources/CZQVResource.h"
#include "resources/ResourceLanguage.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace
{
std::set<std::string> keysOf (const CZQVResource& table)
{
    std::set<std::string> keys;
    for (const auto& key : table.getKeys())
        keys.insert (key.toStdString());
    return keys;
}

// The first part of every key ("Error", "Command", ...): string literals of
// the program that start with one of them and an underscore are message keys.
std::set<std::string> keyAreasOf (const std::set<std::string>& keys)
{
    std::set<std::string> areas;
    for (const auto& key : keys)
        areas.insert (key.substr (0, key.find ('_')));
    return areas;
}

// Every literal of the source tree that looks like a key of those areas.
// Literals ending in "_" are fragments that the code completes ("UndoableAction_" + name).
std::set<std::string> keysUsedInSources (const std::set<std::string>& areas)
{
    std::string alternatives;
    for (const auto& area : areas)
        alternatives += (alternatives.empty() ? "" : "|") + area;

    const std::regex literal ("\"((?:" + alternatives + ")_[A-Za-z0-9_]*[A-Za-z0-9])\"");
    std::set<std::string> used;
    const juce::File sources (juce::String (PLOVARA_SOURCE_DIR) + "/src");

    for (const auto& entry : juce::RangedDirectoryIterator (sources, true, "*.cpp;*.h", juce::File::findFiles))
    {
        const auto text = entry.getFile().loadFileAsString().toStdString();

        for (std::sregex_iterator match (text.begin(), text.end(), literal), end; match != end; ++match)
            used.insert ((*match)[1].str());
    }
    return used;
}
}

TEST (LocalizableStrings, EnglishAndJapaneseHaveTheSameKeys)
{
    const CZQVResource english (ResourceLanguage::english);
    const CZQVResource japanese (ResourceLanguage::japanese);
    ASSERT_TRUE (english.isLoaded());
    ASSERT_TRUE (japanese.isLoaded());

    const auto englishKeys = keysOf (english);
    EXPECT_EQ (englishKeys.size(), 386u);
    EXPECT_EQ (english.getKeys().size(), 386) << "a key stands twice";
    EXPECT_EQ (englishKeys, keysOf (japanese));

    for (const auto& key : english.getKeys())
    {
        EXPECT_TRUE (english.getText (key).isNotEmpty()) << key;
        EXPECT_TRUE (japanese.getText (key).isNotEmpty()) << key;
    }

    EXPECT_EQ (english.getText ("Common_Language"), "en");
    EXPECT_EQ (japanese.getText ("Common_Language"), "ja");
}

TEST (LocalizableStrings, HoldEveryKeyTheProgramUses)
{
    const CZQVResource english (ResourceLanguage::english);
    const auto keys = keysOf (english);
    const auto used = keysUsedInSources (keyAreasOf (keys));

    EXPECT_FALSE (used.empty());
    for (const auto& key : used)
        EXPECT_TRUE (keys.count (key) == 1) << key << " is used by the program but missing from the string table";
}

TEST (LocalizableStrings, EnglishTextsAreTheProgramsOwn)
{
    const CZQVResource english (ResourceLanguage::english);

    EXPECT_EQ (english.getText ("Error_FileUnsupportedChunk"), "Unsupported file format.");
    EXPECT_EQ (english.getText ("Error_FileFailedToOpenToSave"), "Failed to access the file");
    EXPECT_EQ (english.getText ("Error_FileFailedToOpenToSave_Detail1"),
               "Please check the file is used in other application, or the file is write-protected.");
    EXPECT_EQ (english.getText ("Error_FileFileIsNotSequenceDataFile"), "The file is not pattern data file.");
    EXPECT_EQ (english.getText ("Error_FailedToStartApplication"), "Cannot startup this application...");
    EXPECT_EQ (english.getText ("Button_Ok"), "OK");
    EXPECT_EQ (english.getText ("UndoableAction_EditSampleParameter"), "Edit sample parameter");

    // Spaces that texts are joined with are kept.
    EXPECT_EQ (english.getText ("Communication_Status_BankReceive_Sample_Pre"), "Receiving sample ");
    EXPECT_EQ (english.getText ("About_VersionPrefix"), "Version ");
    EXPECT_EQ (english.getText ("Error_AudioFailedToOpenAudioDevice_Detail1"),
               "Please make sure the specified audio device is connected. ");
}

#include "resources/CZQVResource.h"
#include "resources/ResourceLanguage.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
// Makes the shared instance in one language for the test's duration.
struct SharedResource
{
    explicit SharedResource (const juce::String& language)
    {
        ResourceLanguage::choose (language);
        CZQVResource::getInstance();
    }

    ~SharedResource()
    {
        CZQVResource::releaseInstance();
        ResourceLanguage::choose ({});
    }
};
}

TEST (CZQVResource, LooksUpTextsByKey)
{
    const CZQVResource japanese (ResourceLanguage::japanese);
    EXPECT_EQ (japanese.getLanguage(), "ja");
    EXPECT_EQ (japanese.getText ("Button_Cancel"), juce::String::fromUTF8 ("キャンセル"));
    EXPECT_TRUE (japanese.hasKey ("Button_Cancel"));
    EXPECT_FALSE (japanese.hasKey ("Button_Maybe"));
    EXPECT_EQ (japanese.getText ("Button_Maybe"), "");
}

TEST (CZQVResource, AMissingTableGivesEmptyTexts)
{
    const CZQVResource missing (ResourceLanguage::english, "NoSuchTable");
    EXPECT_FALSE (missing.isLoaded());
    EXPECT_EQ (missing.getText ("Button_Ok"), "");
    EXPECT_FALSE (missing.hasKey ("Button_Ok"));
    EXPECT_TRUE (missing.getKeys().isEmpty());
}

TEST (CZQVResource, SharedLookupFallsBackToTheKeyWithoutAnInstance)
{
    ASSERT_EQ (CZQVResource::getInstancePointer(), nullptr);
    EXPECT_EQ (CZQVResource::text ("Button_Ok"), "Button_Ok");
    EXPECT_FALSE (CZQVResource::keyExists ("Button_Ok"));

    auto withoutInstance = CZQVResource::messageFor ("Error_FileFailedToOpenToSave");
    EXPECT_EQ (withoutInstance.message, "Error_FileFailedToOpenToSave");
    EXPECT_EQ (withoutInstance.detail1, "");

    SharedResource english (ResourceLanguage::english);
    EXPECT_EQ (CZQVResource::text ("Button_Ok"), "OK");
    EXPECT_TRUE (CZQVResource::keyExists ("Button_Ok"));
    EXPECT_EQ (CZQVResource::text ("Button_Maybe"), "");
}

TEST (CZQVResource, MessagesCarryTheirDetailLines)
{
    SharedResource english (ResourceLanguage::english);

    const auto withDetail = CZQVResource::messageFor ("Error_UsbNotInstalledTavirDriver");
    EXPECT_EQ (withDetail.message, "Tavir USB-MIDI driver is not installed.");
    EXPECT_EQ (withDetail.detail1, "Please install the latest version of Tavir USB-MIDI driver.");
    EXPECT_EQ (withDetail.detail2, "");

    const auto withoutDetail = CZQVResource::messageFor ("Error_FileUnsupportedFormat");
    EXPECT_EQ (withoutDetail.message, "Unsupported file format.");
    EXPECT_EQ (withoutDetail.detail1, "");

    const auto unknown = CZQVResource::messageFor ("Error_NotInTheTable");
    EXPECT_EQ (unknown.message, "");
    EXPECT_EQ (unknown.detail1, "");
}

TEST (CZQVResource, TheLanguageFollowsTheLocale)
{
    const auto languageWith = [] (std::map<std::string, juce::String> environment)
    {
        return ResourceLanguage::fromLocale ([&] (const char* name) { return environment[name]; });
    };

    EXPECT_EQ (languageWith ({ { "LANG", "ja_JP.UTF-8" } }), "ja");
    EXPECT_EQ (languageWith ({ { "LANG", "en_US.UTF-8" } }), "en");
    EXPECT_EQ (languageWith ({}), "en");
    EXPECT_EQ (languageWith ({ { "LANG", "C" } }), "en");
    // LC_ALL comes before LC_MESSAGES, which comes before LANG.
    EXPECT_EQ (languageWith ({ { "LC_ALL", "ja_JP" }, { "LANG", "en_GB" } }), "ja");
    EXPECT_EQ (languageWith ({ { "LC_MESSAGES", "en_US" }, { "LANG", "ja_JP" } }), "en");
    EXPECT_EQ (languageWith ({ { "LC_ALL", "" }, { "LC_MESSAGES", "ja_JP.eucJP" } }), "ja");
}

TEST (CZQVResource, AChosenLanguageOverridesTheLocale)
{
    {
        SharedResource japanese (ResourceLanguage::japanese);
        EXPECT_EQ (CZQVResource::getInstancePointer()->getLanguage(), "ja");
        EXPECT_EQ (CZQVResource::text ("Menu_File"), juce::String::fromUTF8 ("ファイル"));
    }
    EXPECT_EQ (ResourceLanguage::current(), ResourceLanguage::ofSystem());
}

TEST (CZQVResource, ReadsResourcesUpToTheCapacity)
{
    const CZQVResource english (ResourceLanguage::english);
    char start[5] = {};
    int size = 0;

    EXPECT_EQ (english.readResource ("XML", "localizablestrings", start, 5, size), 5);
    EXPECT_GT (size, 1000);
    EXPECT_EQ (juce::String (start, 5), "<?xml");

    EXPECT_EQ (english.readResource ("xml", "NoSuchResource", start, 5, size), 0);
    EXPECT_EQ (size, -1);
}

TEST (CZQVResource, LoadsXmlAndLocatesResourcesOrNothing)
{
    CZQVResource english (ResourceLanguage::english);

    auto fonts = english.loadXml ("FontInformations_Windows");
    ASSERT_NE (fonts, nullptr);
    EXPECT_EQ (fonts->getTagName(), "FontInformations");

    // A smaller resource after a larger one reuses the buffer.
    auto parameters = english.loadXml ("ParameterStrings");
    ASSERT_NE (parameters, nullptr);
    EXPECT_EQ (parameters->getTagName(), "Strings");

    EXPECT_EQ (english.loadXml ("NoSuchTable"), nullptr);

    // Names match without regard to case.
    const auto image = english.locate ("png", "buttonreceive");
    ASSERT_FALSE (image.isEmpty());
    EXPECT_EQ (juce::String::fromUTF8 (static_cast<const char*> (image.data) + 1, 3), "PNG");
    EXPECT_TRUE (english.locate ("png", "NoSuchImage").isEmpty());
    EXPECT_TRUE (english.locate ("png", "ParameterStrings").isEmpty());
}

#include "resources/CZQVResource.h"
#include "resources/GuiTranslations.h"
#include "resources/ResourceLanguage.h"

#include <gtest/gtest.h>

namespace
{
void installIn (const juce::String& language)
{
    ResourceLanguage::choose (language);
    CZQVResource::getInstance();
    EXPECT_TRUE (GuiTranslations::install());
    CZQVResource::releaseInstance();
    ResourceLanguage::choose ({});
}
}

TEST (GuiTranslations, TranslateTheFrameworksDialogs)
{
    installIn (ResourceLanguage::japanese);
    EXPECT_EQ (TRANS ("Cancel"), juce::String::fromUTF8 ("キャンセル"));
    EXPECT_EQ (TRANS ("Yes"), juce::String::fromUTF8 ("はい"));

    installIn (ResourceLanguage::english);
    EXPECT_EQ (TRANS ("Choose folder"), "Choose folder");
    EXPECT_EQ (TRANS ("Choose file"), "Choose a file");
    EXPECT_EQ (TRANS ("Choose a new file"), "Choose a new file");

    GuiTranslations::remove();
    EXPECT_EQ (TRANS ("Choose file"), "Choose file");
}

TEST (GuiTranslations, NothingIsInstalledWithoutTheResourceAccess)
{
    ASSERT_EQ (CZQVResource::getInstancePointer(), nullptr);
    EXPECT_FALSE (GuiTranslations::install());
    EXPECT_EQ (juce::LocalisedStrings::getCurrentMappings(), nullptr);
}

TEST (GuiTranslations, BothFilesFitInTheBytesThatAreUsed)
{
    for (const auto& language : { ResourceLanguage::english, ResourceLanguage::japanese })
    {
        const CZQVResource resource (language);
        char first[1] = {};
        int size = 0;
        resource.readResource ("txt", "GuiLocalizedStrings", first, 1, size);
        EXPECT_GT (size, 0) << language;
        EXPECT_LE (size, GuiTranslations::maxBytes) << language;
    }
}

TEST (GuiTranslations, ATooLongFileLosesItsCutLine)
{
    juce::String text ("language: English\n");
    while (text.getNumBytesAsUTF8() <= (size_t) GuiTranslations::maxBytes)
        text << "\"Some framework text\" = \"Its translation\"\n";

    const auto used = GuiTranslations::textOf (text.toRawUTF8(), (int) text.getNumBytesAsUTF8());
    EXPECT_LE (used.getNumBytesAsUTF8(), (size_t) GuiTranslations::maxBytes);
    EXPECT_TRUE (used.endsWith ("\"Its translation\"\n"));
    EXPECT_TRUE (text.startsWith (used));

    EXPECT_EQ (GuiTranslations::textOf ("\"OK\" = \"OK\"", 11), "\"OK\" = \"OK\"");
}

#include "gui/widgets/FontManager.h"
#include "resources/ResourceLanguage.h"

#include <gtest/gtest.h>

namespace
{
struct FontEntry
{
    const char* name;
    const char* face;   // "" for the default face
    float size;
    int style;
};

// The font table, written out from the program's design.
const FontEntry fontTable[] = {
    { "DefaultPopupMenu", "", 13.5f, juce::Font::plain },
    { "DefaultTextButton", "", 13.5f, juce::Font::plain },
    { "EffectParameterKnobName", "Arial", 13.5f, juce::Font::bold },
    { "EffectParameterKnobValue", "Arial", 13.5f, juce::Font::bold },
    { "EffectPopupParameterKnobName", "Arial", 13.5f, juce::Font::bold },
    { "EffectPopupParameterKnobValue", "Arial", 13.0f, juce::Font::bold },
    { "SampleParameterKnobValue", "Arial", 13.0f, juce::Font::plain },
    { "WaveformParameterSlider", "Arial", 13.5f, juce::Font::plain },
    { "WaveformWaveRangeStartEnd", "Arial", 15.0f, juce::Font::plain },
    { "MemorySizeBar", "Arial", 12.0f, juce::Font::bold },
    { "PatternListItems", "Arial", 13.0f, juce::Font::plain },
    { "PatternListHeader", "Arial", 13.0f, juce::Font::bold },
    { "BankNameLabel", "Arial", 17.0f, juce::Font::bold },
    { "BankBpmLabel", "Arial", 13.0f, juce::Font::plain },
    { "UsbSessionMessage", "", 15.0f, juce::Font::plain },
    { "UsbSessionDetailMessage", "", 13.0f, juce::Font::plain },
    { "AboutVersion", "Arial", 15.0f, juce::Font::bold },
    { "AboutCopyright", "Arial", 14.0f, juce::Font::bold },
    { "MessageDisplayDetail", "", 13.0f, juce::Font::plain },
};

void expectDefaultFont (const juce::Font& font)
{
    EXPECT_EQ (font.getTypefaceName(), juce::Font::getDefaultSansSerifFontName());
    EXPECT_FLOAT_EQ (font.getHeight(), 15.0f);
    EXPECT_EQ (font.getStyleFlags(), juce::Font::plain);
}
}

TEST (FontManager, GivesEveryFontOfTheTable)
{
    const FontManager fonts;
    ASSERT_TRUE (fonts.isLoaded());

    for (const auto& entry : fontTable)
    {
        SCOPED_TRACE (entry.name);
        const auto font = fonts.getFont (entry.name);
        const auto face = FontManager::resolveFace (entry.face);

        EXPECT_EQ (font.getTypefaceName(), face.isEmpty() ? juce::Font::getDefaultSansSerifFontName() : face);
        EXPECT_FLOAT_EQ (font.getHeight(), entry.size);
        EXPECT_EQ (font.getStyleFlags(), entry.style);
    }
}

TEST (FontManager, UnknownNamesAndAMissingTableGiveTheDefaultFont)
{
    const FontManager fonts;
    expectDefaultFont (fonts.getFont ("NoSuchFont"));

    const FontManager missing ("NoSuchTable");
    EXPECT_FALSE (missing.isLoaded());
    expectDefaultFont (missing.getFont ("BankNameLabel"));

    ASSERT_EQ (FontManager::getInstancePointer(), nullptr);
    expectDefaultFont (FontManager::fontFor ("BankNameLabel"));
}

TEST (FontManager, MissingFacesFallBackToInstalledOnes)
{
    // scripts/install-deps installs Liberation Sans and Noto Sans CJK.
    EXPECT_EQ (FontManager::resolveFace ("Arial"), "Liberation Sans");
    EXPECT_EQ (FontManager::resolveFace ("Liberation Sans"), "Liberation Sans");
    EXPECT_EQ (FontManager::resolveFace ("No Such Face"), "");
    EXPECT_EQ (FontManager::resolveFace (""), "");

    const auto japanese = FontManager::systemGuiTypeface (ResourceLanguage::japanese);
    ASSERT_NE (japanese, nullptr);
    EXPECT_EQ (japanese->getName(), "Noto Sans CJK JP");
    const auto english = FontManager::systemGuiTypeface (ResourceLanguage::english);
    ASSERT_NE (english, nullptr);
    EXPECT_EQ (english->getName(), "Liberation Sans");

    FontManager::getInstance();
    EXPECT_EQ (FontManager::fontFor ("BankNameLabel").getTypefaceName(), "Liberation Sans");
    FontManager::releaseInstance();
}

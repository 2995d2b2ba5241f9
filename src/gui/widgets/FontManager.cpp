#include "gui/widgets/FontManager.h"

#include "resources/ResourceFiles.h"
#include "resources/ResourceLanguage.h"

#include <utility>

namespace
{
const juce::String fontTableName ("FontInformations_Windows");

// Faces of the table that Linux systems rarely have, with the free faces
// drawn to the same metrics.
const std::pair<const char*, const char*> standIns[] = {
    { "Arial", "Liberation Sans" },
};

const juce::StringArray& installedFaces()
{
    static const juce::StringArray faces = juce::Font::findAllTypefaceNames();
    return faces;
}

bool isInstalled (const juce::String& face)
{
    return installedFaces().contains (face, true);
}

const juce::String latinGuiFace ("Liberation Sans");

// The framework finds only single-face font files by itself; the Japanese
// face comes in a font collection, whose first face it can load from memory.
juce::Typeface::Ptr loadJapaneseTypeface()
{
    const char* const folders[] = { "/usr/share/fonts", "/usr/local/share/fonts", "~/.local/share/fonts" };

    for (const auto* folder : folders)
    {
        for (const auto& entry : juce::RangedDirectoryIterator (juce::File (folder), true,
                                                                "NotoSansCJK-Regular.ttc;NotoSansCJKjp-Regular.otf",
                                                                juce::File::findFiles))
        {
            juce::MemoryBlock data;
            if (entry.getFile().loadFileAsData (data))
                return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
        }
    }
    return nullptr;
}

int styleFlagsOf (const juce::String& style)
{
    if (style == "bold")
        return juce::Font::bold;
    if (style == "italic")
        return juce::Font::italic;
    return juce::Font::plain;
}
}

FontManager::FontManager()
    : FontManager (fontTableName)
{
}

FontManager::FontManager (const juce::String& tableName)
    : table (ResourceFiles::loadXml (tableName, ResourceLanguage::current()))
{
}

FontManager::~FontManager() = default;

juce::Font FontManager::getFont (const juce::String& fontName) const
{
    const auto* entry = table != nullptr ? table->getChildByName (fontName) : nullptr;

    if (entry == nullptr)
        return juce::Font (defaultSize, juce::Font::plain);

    const auto sizeText = entry->getStringAttribute ("FontSize").trim();
    const float size = juce::jlimit (0.1f, 10000.0f, sizeText.isEmpty() ? defaultSize : sizeText.getFloatValue());
    const int style = styleFlagsOf (entry->getStringAttribute ("FontStyle"));
    const auto face = resolveFace (entry->getStringAttribute ("FontName"));

    return face.isEmpty() ? juce::Font (size, style) : juce::Font (face, size, style);
}

juce::Font FontManager::fontFor (const juce::String& fontName)
{
    if (const auto* manager = getInstancePointer())
        return manager->getFont (fontName);

    return juce::Font (defaultSize, juce::Font::plain);
}

juce::String FontManager::resolveFace (const juce::String& face)
{
    if (face.isEmpty() || isInstalled (face))
        return face;

    for (const auto& [original, standIn] : standIns)
        if (face.equalsIgnoreCase (original) && isInstalled (standIn))
            return standIn;

    return {};
}

juce::Typeface::Ptr FontManager::systemGuiTypeface (const juce::String& language)
{
    if (language == ResourceLanguage::japanese)
    {
        static const juce::Typeface::Ptr japanese = loadJapaneseTypeface();
        return japanese;
    }

    if (! isInstalled (latinGuiFace))
        return nullptr;

    return juce::Typeface::createSystemTypefaceFor (juce::Font (latinGuiFace, defaultSize, juce::Font::plain));
}

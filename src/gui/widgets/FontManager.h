#pragma once

#include "app/CZQVSingleton.h"

#include <juce_graphics/juce_graphics.h>

#include <memory>

// The fonts of the GUI by name, from the font table ("FontInformations_Windows"):
// one element per font name with the attributes FontName (empty: the default
// sans-serif face), FontSize (empty or missing: 15) and FontStyle ("plain",
// "bold" or "italic").
class FontManager : public CZQVSingleton<FontManager>
{
public:
    static constexpr float defaultSize = 15.0f;

    FontManager();
    explicit FontManager (const juce::String& tableName);
    ~FontManager();

    bool isLoaded() const noexcept { return table != nullptr; }

    // The font of a GUI element; the default font of size 15 when the name
    // has no entry or the table is missing.
    juce::Font getFont (const juce::String& fontName) const;

    // The same through the shared instance; the default font without one.
    static juce::Font fontFor (const juce::String& fontName);

    // The face that draws for `face` here: the face itself when installed,
    // else an installed metric-compatible stand-in, else empty (the default
    // sans-serif face).
    static juce::String resolveFace (const juce::String& face);

    // The typeface that the framework's default sans-serif font should use
    // for the language, one that has the language's characters: Noto Sans
    // CJK JP for Japanese, Liberation Sans otherwise. Null when it is not
    // installed (the framework then keeps its own choice).
    static juce::Typeface::Ptr systemGuiTypeface (const juce::String& language);

private:
    std::unique_ptr<juce::XmlElement> table;
};

#pragma once

#include <juce_core/juce_core.h>

#include <functional>

// The language the program's resources are taken in. It follows the user's
// locale; the program has no setting of its own. Tests and the command-line
// tool may choose one explicitly.
namespace ResourceLanguage
{
    const juce::String english ("en");
    const juce::String japanese ("ja");

    bool isSupported (const juce::String& language);

    // Japanese for a "ja" locale, English otherwise. The locale is the first
    // non-empty one of LC_ALL, LC_MESSAGES and LANG, the order in which the
    // C library looks at them; `variable` reads one of them.
    juce::String fromLocale (const std::function<juce::String (const char* name)>& variable);

    // fromLocale with the process environment.
    juce::String ofSystem();

    // The chosen language, else the system's.
    juce::String current();

    // Chooses the language of resources loaded from now on; an empty one
    // follows the system again.
    void choose (const juce::String& language);
}

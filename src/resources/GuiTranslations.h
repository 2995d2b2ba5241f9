#pragma once

#include <juce_core/juce_core.h>

// The framework's translation of its own dialog strings (OK, Cancel, the
// file chooser's labels ...), from the "txt" resource "GuiLocalizedStrings"
// in the framework's LocalisedStrings format.
namespace GuiTranslations
{
    // Only this much of the resource is used.
    constexpr int maxBytes = 5120;

    // Installs the translation in the language of the shared CZQVResource.
    // False, and nothing installed, without a CZQVResource or the resource.
    bool install();

    // Puts the framework back to its untranslated strings.
    void remove();

    // The text of a resource of `size` bytes of which `data` holds at most
    // the first maxBytes. When it had to be cut there, the cut line is
    // dropped so that no half string remains.
    juce::String textOf (const char* data, int size);
}

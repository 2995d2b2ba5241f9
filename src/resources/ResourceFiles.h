#pragma once

#include <juce_core/juce_core.h>

#include <cstddef>
#include <memory>

// The resource files embedded in the program (resources/ in the source tree).
// A resource is found by type and name, without regard to case: the file
// "<name>.<type>", or "<name>.<language>.<type>" for a language version.
namespace ResourceFiles
{
    // Where the embedded bytes of one resource are; data is null when there is none.
    struct Bytes
    {
        const void* data = nullptr;
        size_t size = 0;

        bool isEmpty() const noexcept { return data == nullptr || size == 0; }
    };

    // Exactly the version asked for: the language version, or the neutral
    // one when the language is empty.
    Bytes locate (const juce::String& type, const juce::String& name, const juce::String& language = {});

    // The version that serves a language best: its own, else the neutral
    // one, else the English one.
    Bytes locateFor (const juce::String& type, const juce::String& name, const juce::String& language);

    // The bytes of locate(); empty when there is none.
    juce::MemoryBlock find (const juce::String& type, const juce::String& name, const juce::String& language = {});

    // The parsed "xml" resource that serves the language best (see locateFor).
    std::unique_ptr<juce::XmlElement> loadXml (const juce::String& name, const juce::String& language = {});
}

#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// The resource files embedded in the program (resources/ in the source tree).
// A resource is found by type and name, without regard to case: the file
// "<name>.<type>", or "<name>.<language>.<type>" for a language version.
namespace ResourceFiles
{
    // The bytes of the resource; empty when there is none.
    juce::MemoryBlock find (const juce::String& type, const juce::String& name, const juce::String& language = {});

    std::unique_ptr<juce::XmlElement> loadXml (const juce::String& name, const juce::String& language = {});
}

#include "resources/ResourceFiles.h"

#include "PlovaraResources.h"

namespace ResourceFiles
{
Bytes locate (const juce::String& type, const juce::String& name, const juce::String& language)
{
    const auto wanted = (language.isEmpty() ? name + "." + type : name + "." + language + "." + type);

    for (int i = 0; i < PlovaraResources::namedResourceListSize; ++i)
    {
        if (! wanted.equalsIgnoreCase (PlovaraResources::originalFilenames[i]))
            continue;

        int size = 0;
        const auto* data = PlovaraResources::getNamedResource (PlovaraResources::namedResourceList[i], size);
        return { data, (size_t) size };
    }
    return {};
}

Bytes locateFor (const juce::String& type, const juce::String& name, const juce::String& language)
{
    if (language.isNotEmpty())
        if (auto own = locate (type, name, language); ! own.isEmpty())
            return own;

    if (auto neutral = locate (type, name); ! neutral.isEmpty())
        return neutral;

    return locate (type, name, "en");
}

juce::MemoryBlock find (const juce::String& type, const juce::String& name, const juce::String& language)
{
    const auto bytes = locate (type, name, language);
    return bytes.isEmpty() ? juce::MemoryBlock() : juce::MemoryBlock (bytes.data, bytes.size);
}

std::unique_ptr<juce::XmlElement> loadXml (const juce::String& name, const juce::String& language)
{
    const auto bytes = locateFor ("xml", name, language);

    if (bytes.isEmpty())
        return nullptr;

    return juce::XmlDocument::parse (juce::String::fromUTF8 (static_cast<const char*> (bytes.data), (int) bytes.size));
}
}

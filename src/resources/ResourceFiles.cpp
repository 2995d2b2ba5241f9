#include "resources/ResourceFiles.h"

#include "PlovaraResources.h"

namespace ResourceFiles
{
juce::MemoryBlock find (const juce::String& type, const juce::String& name, const juce::String& language)
{
    const auto wanted = (language.isEmpty() ? name + "." + type : name + "." + language + "." + type);

    for (int i = 0; i < PlovaraResources::namedResourceListSize; ++i)
    {
        const auto* fileName = PlovaraResources::originalFilenames[i];

        if (! wanted.equalsIgnoreCase (fileName))
            continue;

        int size = 0;
        const auto* data = PlovaraResources::getNamedResource (PlovaraResources::namedResourceList[i], size);
        return juce::MemoryBlock (data, (size_t) size);
    }
    return {};
}

std::unique_ptr<juce::XmlElement> loadXml (const juce::String& name, const juce::String& language)
{
    const auto bytes = find ("xml", name, language);

    if (bytes.isEmpty())
        return nullptr;

    return juce::XmlDocument::parse (bytes.toString());
}
}

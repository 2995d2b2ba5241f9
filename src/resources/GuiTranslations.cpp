#include "resources/GuiTranslations.h"

#include "resources/CZQVResource.h"

namespace GuiTranslations
{
namespace
{
const juce::String resourceType ("txt");
const juce::String resourceName ("GuiLocalizedStrings");
}

juce::String textOf (const char* data, int size)
{
    if (size <= maxBytes)
        return juce::String::fromUTF8 (data, size);

    int end = maxBytes;
    while (end > 0 && data[end - 1] != '\n')
        --end;

    return juce::String::fromUTF8 (data, end);
}

bool install()
{
    auto* resource = CZQVResource::getInstancePointer();

    if (resource == nullptr)
        return false;

    char bytes[maxBytes];
    int size = -1;
    resource->readResource (resourceType, resourceName, bytes, maxBytes, size);

    if (size <= 0)
        return false;

    juce::LocalisedStrings::setCurrentMappings (new juce::LocalisedStrings (textOf (bytes, size), false));
    return true;
}

void remove()
{
    juce::LocalisedStrings::setCurrentMappings (nullptr);
}
}

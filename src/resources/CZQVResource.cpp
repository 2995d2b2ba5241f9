#include "resources/CZQVResource.h"

#include "resources/ResourceLanguage.h"

#include <cstring>

namespace
{
const juce::String textAttribute ("Text");
}

CZQVResource::CZQVResource()
    : CZQVResource (ResourceLanguage::current())
{
}

CZQVResource::CZQVResource (const juce::String& languageToUse, const juce::String& tableName)
    : language (languageToUse)
{
    strings = loadXml (tableName);
}

CZQVResource::~CZQVResource() = default;

ResourceFiles::Bytes CZQVResource::locate (const juce::String& type, const juce::String& name) const
{
    return ResourceFiles::locateFor (type, name, language);
}

int CZQVResource::readResource (const juce::String& type, const juce::String& name,
                                void* destination, int capacity, int& resourceSize) const
{
    const auto bytes = locate (type, name);

    if (bytes.isEmpty())
    {
        resourceSize = -1;
        return 0;
    }

    resourceSize = (int) bytes.size;
    const int copied = juce::jlimit (0, resourceSize, capacity);

    if (copied > 0)
        std::memcpy (destination, bytes.data, (size_t) copied);

    return copied;
}

std::unique_ptr<juce::XmlElement> CZQVResource::loadXml (const juce::String& name, const juce::String& type)
{
    std::lock_guard<std::mutex> lock (bufferLock);

    int size = -1;
    readResource (type, name, buffer.get(), bufferCapacity, size);

    if (size < 0)
        return nullptr;

    if (size > bufferCapacity)
    {
        buffer.realloc ((size_t) size);
        bufferCapacity = size;
        readResource (type, name, buffer.get(), bufferCapacity, size);
    }

    return juce::XmlDocument::parse (juce::String::fromUTF8 (buffer.get(), size));
}

const juce::XmlElement* CZQVResource::findEntry (const juce::String& key) const
{
    return strings != nullptr ? strings->getChildByName (key) : nullptr;
}

juce::String CZQVResource::getText (const juce::String& key) const
{
    const auto* entry = findEntry (key);
    return entry != nullptr ? entry->getStringAttribute (textAttribute) : juce::String();
}

bool CZQVResource::hasKey (const juce::String& key) const
{
    return findEntry (key) != nullptr;
}

juce::StringArray CZQVResource::getKeys() const
{
    juce::StringArray keys;

    if (strings != nullptr)
        for (auto* entry : strings->getChildIterator())
            keys.add (entry->getTagName());

    return keys;
}

juce::String CZQVResource::text (const juce::String& key)
{
    const auto* resource = getInstancePointer();
    return resource != nullptr ? resource->getText (key) : key;
}

bool CZQVResource::keyExists (const juce::String& key)
{
    const auto* resource = getInstancePointer();
    return resource != nullptr && resource->hasKey (key);
}

MessageText CZQVResource::messageFor (const juce::String& key)
{
    const auto detail = [&key] (const char* suffix)
    {
        const auto detailKey = key + suffix;
        return keyExists (detailKey) ? text (detailKey) : juce::String();
    };

    return { text (key), detail ("_Detail1"), detail ("_Detail2") };
}

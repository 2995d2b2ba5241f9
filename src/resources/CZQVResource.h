#pragma once

#include "app/CZQVSingleton.h"
#include "resources/ResourceFiles.h"

#include <juce_core/juce_core.h>

#include <memory>
#include <mutex>

// The lines of a message box for one key: the key's text and the texts of
// its companions key + "_Detail1" and key + "_Detail2" (empty when absent).
struct MessageText
{
    juce::String message;
    juce::String detail1;
    juce::String detail2;
};

// Access to the program's resources in one language, and the message and
// label table ("LocalizableStrings") of that language.
class CZQVResource : public CZQVSingleton<CZQVResource>
{
public:
    static constexpr const char* stringTableName = "LocalizableStrings";

    // The language resources follow now (ResourceLanguage::current).
    CZQVResource();
    explicit CZQVResource (const juce::String& language, const juce::String& tableName = stringTableName);
    virtual ~CZQVResource();

    const juce::String& getLanguage() const noexcept { return language; }

    // Where the bytes of the resource are; empty when it is missing.
    ResourceFiles::Bytes locate (const juce::String& type, const juce::String& name) const;

    // Copies at most `capacity` bytes of the resource into `destination` and
    // returns how many it copied; `resourceSize` gets the whole size, or -1
    // when the resource is missing or empty.
    int readResource (const juce::String& type, const juce::String& name,
                      void* destination, int capacity, int& resourceSize) const;

    // The parsed resource (null when missing or not XML), read through a
    // buffer that is kept and grown for the next one.
    std::unique_ptr<juce::XmlElement> loadXml (const juce::String& name, const juce::String& type = "xml");

    bool isLoaded() const noexcept { return strings != nullptr; }

    // The text of a key; empty when the key is absent or the table missing.
    juce::String getText (const juce::String& key) const;
    bool hasKey (const juce::String& key) const;

    // Every key of the table, in table order.
    juce::StringArray getKeys() const;

    // Lookups for the whole program, through the shared instance: the text
    // of the key, or the key itself while there is no instance.
    static juce::String text (const juce::String& key);
    static bool keyExists (const juce::String& key);
    static MessageText messageFor (const juce::String& key);

private:
    const juce::XmlElement* findEntry (const juce::String& key) const;

    const juce::String language;
    std::unique_ptr<juce::XmlElement> strings;

    std::mutex bufferLock;
    juce::HeapBlock<char> buffer;
    int bufferCapacity = 0;
};

#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// One parsed XML table of value-name lists, loaded from the "xml" resource of
// the given name: root element, one element per list, items Item_0, Item_1, ...
// with the text in their attribute Text.
class StringTable
{
public:
    explicit StringTable (const juce::String& resourceName);

    bool isLoaded() const { return table != nullptr; }

    // The text of item `index` of the list; empty when either is missing.
    juce::String getItem (const juce::String& listName, int index) const;

    // The number of items of the list (0 when it is missing).
    int getNumItems (const juce::String& listName) const;

private:
    std::unique_ptr<juce::XmlElement> table;
};

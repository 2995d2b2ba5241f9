#include "resources/StringTable.h"

#include "resources/ResourceFiles.h"

StringTable::StringTable (const juce::String& resourceName)
    : table (ResourceFiles::loadXml (resourceName))
{
}

juce::String StringTable::getItem (const juce::String& listName, int index) const
{
    if (table == nullptr || index < 0)
        return {};

    if (auto* list = table->getChildByName (listName))
        if (auto* item = list->getChildByName ("Item_" + juce::String (index)))
            return item->getStringAttribute ("Text");

    return {};
}

int StringTable::getNumItems (const juce::String& listName) const
{
    if (table == nullptr)
        return 0;

    auto* list = table->getChildByName (listName);
    return list != nullptr ? list->getNumChildElements() : 0;
}

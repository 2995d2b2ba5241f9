#include "prefs/PreferencesData.h"

#include "app/FileReplacement.h"
#include "app/UserFolders.h"

namespace
{
template <typename Value>
struct Setting
{
    const char* key;
    Value initial;
};

const Setting<bool> flagSettings[PreferencesData::numFlags] = {
    { "ShowWaveformEditor", true },
    { "WarningBeforeWriting", true },
    { "WaveGraphAutoScroll", true },
    { "SampleFileTreeAutoPreview", true },
    { "TargetSampleAutoPlay", true },
    { "EnableParameterChange", true },
    { "AudioPlaySelection", true },
};

const Setting<int> numberSettings[PreferencesData::numNumbers] = {
    { "KnobMode", 0 },
    { "WaveGraphViewScale", 128 },
    { "WindowHeight", 420 },
    { "WindowHeightWithWaveformEditor", 540 },
};

const char* const textKeys[PreferencesData::numTexts] = {
    "SampleFileTreeLastFolder",
    "LastBankReceiveTargetFolder",
    "BackupFileFolder",
    "BankFileFolder",
    "SampleFileFolder",
    "PatternFileFolder",
    "GlobalFileFolder",
    "ImportableSampleFolder",
    "ImportablePatternFolder",
};

const char* const historiesKey = "SampleFileTreeHistories";
const char* const historyItemTag = "Item";
const char* const valueAttribute = "value";

// Adds <key value="..."/> to the document.
void addValueElement (juce::XmlElement& document, const juce::String& key, const juce::String& value)
{
    document.createNewChildElement (key)->setAttribute (valueAttribute, value);
}
}

PreferencesData::PreferencesData()
    : audioDeviceSettings (std::make_unique<juce::XmlElement> (audioDeviceSettingsTag))
{
    for (int i = 0; i < numFlags; ++i)
        flags[(size_t) i] = flagSettings[i].initial;

    for (int i = 0; i < numNumbers; ++i)
        numbers[(size_t) i] = numberSettings[i].initial;

    if (auto document = juce::parseXML (getFile()))
        loadFromXml (*document);
}

PreferencesData::~PreferencesData()
{
    // Nobody is left to tell about a failure at shutdown; the old file stays.
    save();
}

juce::File PreferencesData::getFile()
{
    return UserFolders::getSettingsFolder().getChildFile (fileName);
}

bool PreferencesData::getFlag (Flag flag) const
{
    std::lock_guard<std::mutex> guard (lock);
    return flags[(size_t) flag];
}

void PreferencesData::setFlag (Flag flag, bool value)
{
    std::lock_guard<std::mutex> guard (lock);
    flags[(size_t) flag] = value;
}

int PreferencesData::getNumber (Number number) const
{
    std::lock_guard<std::mutex> guard (lock);
    return numbers[(size_t) number];
}

void PreferencesData::setNumber (Number number, int value)
{
    std::lock_guard<std::mutex> guard (lock);
    numbers[(size_t) number] = value;
}

juce::String PreferencesData::getText (Text text) const
{
    std::lock_guard<std::mutex> guard (lock);
    return texts[(size_t) text];
}

void PreferencesData::setText (Text text, const juce::String& value)
{
    std::lock_guard<std::mutex> guard (lock);
    texts[(size_t) text] = value;
}

juce::String PreferencesData::getChooserFolder (int kind) const
{
    return isChooserFolderKind (kind) ? getText ((Text) (backupFileFolder + kind)) : juce::String();
}

void PreferencesData::setChooserFolder (int kind, const juce::String& folder)
{
    if (isChooserFolderKind (kind))
        setText ((Text) (backupFileFolder + kind), folder);
}

juce::StringArray PreferencesData::getSampleFileTreeHistories() const
{
    std::lock_guard<std::mutex> guard (lock);
    return sampleFileTreeHistories;
}

void PreferencesData::setSampleFileTreeHistories (const juce::StringArray& folders)
{
    std::lock_guard<std::mutex> guard (lock);
    sampleFileTreeHistories = folders;
}

std::unique_ptr<juce::XmlElement> PreferencesData::getAudioDeviceSettings() const
{
    std::lock_guard<std::mutex> guard (lock);
    return std::make_unique<juce::XmlElement> (*audioDeviceSettings);
}

void PreferencesData::setAudioDeviceSettings (const juce::XmlElement& settings)
{
    if (! settings.hasTagName (audioDeviceSettingsTag))
        return;

    std::lock_guard<std::mutex> guard (lock);
    audioDeviceSettings = std::make_unique<juce::XmlElement> (settings);
}

std::unique_ptr<juce::XmlElement> PreferencesData::createXml() const
{
    std::lock_guard<std::mutex> guard (lock);
    auto document = std::make_unique<juce::XmlElement> (rootTag);

    for (int i = 0; i < numFlags; ++i)
        addValueElement (*document, flagSettings[i].key, flags[(size_t) i] ? "true" : "false");

    for (int i = 0; i < numNumbers; ++i)
        addValueElement (*document, numberSettings[i].key, juce::String (numbers[(size_t) i]));

    for (int i = 0; i < numTexts; ++i)
        addValueElement (*document, textKeys[i], texts[(size_t) i]);

    auto* histories = document->createNewChildElement (historiesKey);
    for (auto& folder : sampleFileTreeHistories)
        addValueElement (*histories, historyItemTag, folder);

    document->addChildElement (new juce::XmlElement (*audioDeviceSettings));
    return document;
}

void PreferencesData::loadFromXml (const juce::XmlElement& document)
{
    if (! document.hasTagName (rootTag))
        return;

    std::lock_guard<std::mutex> guard (lock);

    // A present element without the attribute keeps the value it had.
    for (int i = 0; i < numFlags; ++i)
        if (auto* element = document.getChildByName (flagSettings[i].key))
            flags[(size_t) i] = element->getBoolAttribute (valueAttribute, flags[(size_t) i]);

    for (int i = 0; i < numNumbers; ++i)
        if (auto* element = document.getChildByName (numberSettings[i].key))
            numbers[(size_t) i] = element->getIntAttribute (valueAttribute, numbers[(size_t) i]);

    for (int i = 0; i < numTexts; ++i)
        if (auto* element = document.getChildByName (textKeys[i]))
            texts[(size_t) i] = element->getStringAttribute (valueAttribute, texts[(size_t) i]);

    if (auto* histories = document.getChildByName (historiesKey))
    {
        sampleFileTreeHistories.clear();

        for (auto* item : histories->getChildWithTagNameIterator (historyItemTag))
        {
            const auto folder = item->getStringAttribute (valueAttribute);
            if (folder.isNotEmpty())
                sampleFileTreeHistories.add (folder);
        }
    }

    if (auto* settings = document.getChildByName (audioDeviceSettingsTag))
        audioDeviceSettings = std::make_unique<juce::XmlElement> (*settings);
}

bool PreferencesData::save() const
{
    const auto document = createXml();

    return (bool) FileReplacement::write (getFile(), [&document] (juce::OutputStream& out)
    {
        document->writeTo (out);
        return true;
    });
}

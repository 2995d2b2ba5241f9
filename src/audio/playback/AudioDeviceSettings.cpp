#include "audio/playback/AudioDeviceSettings.h"

namespace
{
const juce::Identifier valueAttribute { "Value" };
}

AudioDeviceSettings::AudioDeviceSettings() = default;

AudioDeviceSettings::AudioDeviceSettings (const juce::XmlElement& source)
    : element (source)
{
}

std::unique_ptr<juce::XmlElement> AudioDeviceSettings::createXml() const
{
    return std::make_unique<juce::XmlElement> (element);
}

void AudioDeviceSettings::resetOutputSettings()
{
    setUseDefaultOutputChannel (true);
    setOutputChannel (0);
    setUseDefaultBufferSize (true);
    setBufferSize (0);
    setUseDefaultSampleRate (true);
    setSampleRate (48000.0);
}

bool AudioDeviceSettings::getFlag (const juce::String& name) const
{
    if (auto* child = element.getChildByName (name))
        return child->getBoolAttribute (valueAttribute, true);
    return true;
}

juce::String AudioDeviceSettings::getValue (const juce::String& name) const
{
    if (auto* child = element.getChildByName (name))
        return child->getStringAttribute (valueAttribute);
    return {};
}

void AudioDeviceSettings::setValue (const juce::String& name, const juce::var& value)
{
    auto* child = element.getChildByName (name);
    if (child == nullptr)
        child = element.createNewChildElement (name);

    if (value.isBool())
        child->setAttribute (valueAttribute, (bool) value);
    else
        child->setAttribute (valueAttribute, value.toString());
}

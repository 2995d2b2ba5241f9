#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// The audio device settings as kept in the preferences: an element
// "AudioDeviceSettings" with one child per setting whose attribute "Value"
// holds the value. Missing flags read as true, missing strings, ints and
// doubles as empty, 0 and 0.0; setters create missing children.
class AudioDeviceSettings
{
public:
    static inline const juce::String elementName { "AudioDeviceSettings" };

    AudioDeviceSettings();
    explicit AudioDeviceSettings (const juce::XmlElement& element);

    // A copy of the element with every setting made so far.
    std::unique_ptr<juce::XmlElement> createXml() const;

    bool useDefaultDeviceType() const { return getFlag ("DefaultDeviceType"); }
    juce::String getDeviceType() const { return getValue ("DeviceType"); }
    bool useDefaultDeviceName() const { return getFlag ("DefaultDeviceName"); }
    juce::String getDeviceName() const { return getValue ("DeviceName"); }
    bool useDefaultOutputChannel() const { return getFlag ("DefaultOutputChannel"); }
    int getOutputChannel() const { return getValue ("OutputChannel").getIntValue(); }
    bool useDefaultBufferSize() const { return getFlag ("DefaultBufferSize"); }
    int getBufferSize() const { return getValue ("BufferSize").getIntValue(); }
    bool useDefaultSampleRate() const { return getFlag ("DefaultSampleRate"); }
    double getSampleRate() const { return getValue ("SampleRate").getDoubleValue(); }

    void setUseDefaultDeviceType (bool on) { setValue ("DefaultDeviceType", on); }
    void setDeviceType (const juce::String& name) { setValue ("DeviceType", name); }
    void setUseDefaultDeviceName (bool on) { setValue ("DefaultDeviceName", on); }
    void setDeviceName (const juce::String& name) { setValue ("DeviceName", name); }
    void setUseDefaultOutputChannel (bool on) { setValue ("DefaultOutputChannel", on); }
    void setOutputChannel (int pair) { setValue ("OutputChannel", pair); }
    void setUseDefaultBufferSize (bool on) { setValue ("DefaultBufferSize", on); }
    void setBufferSize (int frames) { setValue ("BufferSize", frames); }
    void setUseDefaultSampleRate (bool on) { setValue ("DefaultSampleRate", on); }
    void setSampleRate (double rate) { setValue ("SampleRate", rate); }

    // Output pair, buffer size and rate back to their defaults.
    void resetOutputSettings();

private:
    bool getFlag (const juce::String& name) const;
    juce::String getValue (const juce::String& name) const;
    void setValue (const juce::String& name, const juce::var& value);

    juce::XmlElement element { elementName };
};

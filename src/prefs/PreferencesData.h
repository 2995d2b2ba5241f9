#pragma once

#include "app/CZQVSingleton.h"

#include <juce_core/juce_core.h>

#include <array>
#include <memory>
#include <mutex>

// The user's settings between runs. The file "PreferencesData.xml" in the
// settings folder is read when the object is created and written when it is
// destroyed; in between, changes live in memory only. Every accessor may be
// called from any thread.
class PreferencesData : public CZQVSingleton<PreferencesData>
{
public:
    // Switches; each one is stored under its key in the file, in this order.
    enum Flag
    {
        showWaveformEditor,         // "ShowWaveformEditor", default true
        warningBeforeWriting,       // "WarningBeforeWriting", default true
        waveGraphAutoScroll,        // "WaveGraphAutoScroll", default true
        sampleFileTreeAutoPreview,  // "SampleFileTreeAutoPreview", default true
        targetSampleAutoPlay,       // "TargetSampleAutoPlay", default true
        enableParameterChange,      // "EnableParameterChange", default true
        audioPlaySelection,         // "AudioPlaySelection", default true
        numFlags
    };

    // Numbers; they are stored as given, whoever uses one applies its limits.
    enum Number
    {
        knobMode,                       // "KnobMode": 0 linear, 1 circular; default 0
        waveGraphViewScale,             // "WaveGraphViewScale": frames per pixel, default 128
        windowHeight,                   // "WindowHeight": default 420
        windowHeightWithWaveformEditor, // "WindowHeightWithWaveformEditor": default 540
        numNumbers
    };

    // Texts, all empty by default.
    enum Text
    {
        sampleFileTreeLastFolder,       // "SampleFileTreeLastFolder"
        lastBankReceiveTargetFolder,    // "LastBankReceiveTargetFolder"
        backupFileFolder,               // "BackupFileFolder", chooser folder kind 0
        bankFileFolder,                 // "BankFileFolder", kind 1
        sampleFileFolder,               // "SampleFileFolder", kind 2
        patternFileFolder,              // "PatternFileFolder", kind 3
        globalFileFolder,               // "GlobalFileFolder", kind 4
        importableSampleFolder,         // "ImportableSampleFolder", kind 5
        importablePatternFolder,        // "ImportablePatternFolder", kind 6
        numTexts
    };

    static constexpr int numChooserFolderKinds = numTexts - backupFileFolder;
    static inline const juce::String fileName { "PreferencesData.xml" };
    static inline const juce::String rootTag { "PlovaraEditorPreferences" };
    static inline const juce::String audioDeviceSettingsTag { "AudioDeviceSettings" };

    // Reads the preferences file; anything missing or malformed keeps its default.
    PreferencesData();

    // Writes the preferences file.
    virtual ~PreferencesData();

    // "PreferencesData.xml" in the settings folder (created when missing).
    static juce::File getFile();

    bool getFlag (Flag flag) const;
    void setFlag (Flag flag, bool value);
    int getNumber (Number number) const;
    void setNumber (Number number, int value);
    juce::String getText (Text text) const;
    void setText (Text text, const juce::String& value);

    // The folder a file chooser of the given kind (0 to 6) starts in; empty
    // for any other kind, whose changes are ignored.
    juce::String getChooserFolder (int kind) const;
    void setChooserFolder (int kind, const juce::String& folder);

    // The file browser's folder history ("SampleFileTreeHistories").
    juce::StringArray getSampleFileTreeHistories() const;
    void setSampleFileTreeHistories (const juce::StringArray& folders);

    // The audio device state, an "AudioDeviceSettings" element (empty until
    // the audio side stores something). Elements of another name are ignored.
    std::unique_ptr<juce::XmlElement> getAudioDeviceSettings() const;
    void setAudioDeviceSettings (const juce::XmlElement& settings);

    // The whole document, children in the order of the file.
    std::unique_ptr<juce::XmlElement> createXml() const;

    // Takes every setting present in a document with the right root;
    // settings it lacks keep their current value.
    void loadFromXml (const juce::XmlElement& document);

    // Writes the file, replacing the old one only once the new one is
    // complete; false when that failed.
    bool save() const;

private:
    static bool isChooserFolderKind (int kind) { return kind >= 0 && kind < numChooserFolderKinds; }

    mutable std::mutex lock;
    std::array<bool, numFlags> flags {};
    std::array<int, numNumbers> numbers {};
    std::array<juce::String, numTexts> texts;
    juce::StringArray sampleFileTreeHistories;
    std::unique_ptr<juce::XmlElement> audioDeviceSettings;
};

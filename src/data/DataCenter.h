#pragma once

#include "data/AllData.h"
#include "data/BankData.h"
#include "data/EffectParameterAccessor.h"
#include "data/GlobalData.h"

#include <functional>
#include <memory>

class StringTable;

// Owns every piece of editable data for the whole run: the bank memory, the
// bank being edited, the device's global settings and the effect parameter
// accessor. Carries the document's modified flag and file, makes the memory
// checks that guard copying audio or patterns into the edit bank, and keeps
// the global settings file: read on construction, written on destruction.
// Message thread only (sessions use it while the GUI is blocked).
class DataCenter
{
public:
    static inline const juce::String globalSettingsFileName { "GlobalSettings.plvr_glob" };

    // Told which sample of the edit bank changed; the player manager
    // refreshes its players through it.
    using SampleChangedHook = std::function<void (int sampleIndex)>;

    explicit DataCenter (const StringTable& parameterStrings);
    virtual ~DataCenter();

    DataCenter (const DataCenter&) = delete;
    DataCenter& operator= (const DataCenter&) = delete;

    AllData* getAllData() const { return allData.get(); }
    BankData& getEditBank() const { return *editBank; }
    GlobalData& getGlobalData() const { return *globalData; }
    const StringTable& getParameterStrings() const { return parameterStrings; }
    EffectParameterAccessor& getEffectAccessor() const { return *effectAccessor; }

    bool isModified() const { return modified; }
    void setModified() { modified = true; }
    void clearModified() { modified = false; }

    const juce::File& getDocumentFile() const { return documentFile; }
    void setDocumentFile (const juce::File& file) { documentFile = file; }

    void setSampleChangedHook (SampleChangedHook hook) { sampleChanged = std::move (hook); }

    // False, after the error box, when the edit bank's sample (or pattern)
    // memory is already over budget.
    bool checkSampleMemory() const;
    bool checkPatternMemory() const;

    // Sample destination becomes a copy of sample source (audio only where
    // it differs). False when the memory check fails or an index is not 0
    // to 35.
    bool copySample (int source, int destination);

    // Exchanges two samples of the edit bank; no memory check.
    bool swapSamples (int first, int second);

    static juce::File getGlobalSettingsFile();

private:
    static bool isSampleIndex (int index) { return index >= 0 && index < SampleSet::numSamples; }
    void sampleHasChanged (int index);
    void readGlobalSettings();
    void writeGlobalSettings();

    std::unique_ptr<AllData> allData;
    std::unique_ptr<BankData> editBank;
    std::unique_ptr<GlobalData> globalData;
    const StringTable& parameterStrings;
    std::unique_ptr<EffectParameterAccessor> effectAccessor;
    bool modified = false;
    juce::File documentFile;
    SampleChangedHook sampleChanged;
};

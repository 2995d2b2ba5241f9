#pragma once

#include "app/CZQVSingleton.h"

#include <juce_core/juce_core.h>

#include <map>

// Tells the kind of a file from its extension, compared in lower case.
class FileFormatManager : public CZQVSingleton<FileFormatManager>
{
public:
    enum FileType
    {
        unknown = -1,
        allData = 0,        // ".plvr_all": bank memory backup
        bankData = 1,       // ".plvr_bank": one bank, the document
        sampleData = 2,     // ".plvr_sample"
        sequenceSet = 3,    // ".plvr_seq": a pattern set
        globalData = 4,     // ".plvr_glob"
        importableAudio = 5,
        smf = 6             // ".mid"
    };

    static inline const juce::String allDataExtension { ".plvr_all" };
    static inline const juce::String bankExtension { ".plvr_bank" };
    static inline const juce::String sampleExtension { ".plvr_sample" };
    static inline const juce::String sequenceSetExtension { ".plvr_seq" };
    static inline const juce::String globalExtension { ".plvr_glob" };
    static inline const juce::String smfExtension { ".mid" };
    static inline const juce::String waveExtension { ".wav" };
    static inline const juce::String aiffExtension { ".aif" };

    // ".mp3" and ".mp4" count as audio only while the media framework is
    // available (QuickTimeManager).
    FileFormatManager();
    virtual ~FileFormatManager() = default;

    // The type of an extension ("dot included"); unknown when none matches.
    int getFileType (const juce::String& extension) const;
    int getFileType (const juce::File& file) const { return getFileType (file.getFileExtension()); }

    // Through the shared instance; unknown while there is none.
    static int typeOf (const juce::File& file);

private:
    std::map<juce::String, int> types;
};

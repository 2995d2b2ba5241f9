#pragma once

#include <juce_core/juce_core.h>

// The files the file browser lists: bank, sample and pattern-set files,
// importable audio and Standard MIDI Files, told apart by the shared
// FileFormatManager; every folder. Backups, global data and anything else
// stay hidden, and without a FileFormatManager no file is listed. Called on
// the browser's scanning thread.
class SampleFileFilter : public juce::FileFilter
{
public:
    SampleFileFilter();

    bool isFileSuitable (const juce::File& file) const override;
    bool isDirectorySuitable (const juce::File&) const override { return true; }

    // Whether a FileFormatManager type is one that is listed.
    static bool isListedType (int fileType);
};

#pragma once

#include "resources/MessageBoxes.h"

#include <juce_core/juce_core.h>

#include <memory>

// The folders in which the file choosers start, one per kind of file. Each
// is kept in the preferences under its own key.
namespace ChooserFolder
{
    enum Kind
    {
        backup = 0,             // "BackupFileFolder"
        bank = 1,               // "BankFileFolder"
        sample = 2,             // "SampleFileFolder"
        pattern = 3,            // "PatternFileFolder"
        global = 4,             // "GlobalFileFolder"
        importableSample = 5,   // "ImportableSampleFolder"
        importablePattern = 6   // "ImportablePatternFolder"
    };

    // The kind's folder; when that is empty, the first folder that is set,
    // in the order bank, sample, pattern, backup, global, importable sample,
    // importable pattern; empty when none is (or there are no preferences).
    juce::String startFolder (int kind);

    // Keeps the folder of a chosen path for the kind: the path itself when
    // it is a folder, else the folder that holds it.
    void remember (int kind, const juce::File& chosen);
}

// The program's file choosers. A chooser opens only while the busy flag is
// free and sets the flag while it is up; one that is refused or cancelled
// gives an empty file. Subclasses show the choosers and the overwrite
// question (windows, a script for tests).
class FileChoosers
{
public:
    // What one command asks for.
    struct Request
    {
        juce::String titleKey;          // the command's name key
        juce::StringArray extensions;   // ".plvr_bank", ... (the first is the one a save appends)
        int folderKind = ChooserFolder::bank;
    };

    virtual ~FileChoosers() = default;

    juce::File chooseFileToOpen (const Request& request);

    // A name typed without the extension gets it appended; when a file of
    // that new name exists the user is asked whether to overwrite it, and
    // Cancel gives an empty file.
    juce::File chooseFileToSave (const Request& request);

    // A folder chooser titled with the text of the key, starting in the
    // given folder when that exists (else in none).
    juce::File chooseFolder (const juce::String& titleKey, const juce::File& startFolder);

    // "*" before each extension, joined with ";".
    static juce::String wildcardFor (const juce::StringArray& extensions);

protected:
    // Without a busy flag every chooser is shown.
    explicit FileChoosers (std::unique_ptr<BusyFlag> busyFlag);

    // An empty file when the user cancelled. A save chooser lets the user
    // confirm overwriting a file that was chosen as it is.
    virtual juce::File presentOpenChooser (const juce::String& title, const juce::File& folder, const juce::String& wildcard) = 0;
    virtual juce::File presentSaveChooser (const juce::String& title, const juce::File& folder, const juce::String& wildcard) = 0;
    virtual juce::File presentFolderChooser (const juce::String& title, const juce::File& folder) = 0;

    // The question box with the buttons "ConfirmOverwrite_ButtonOverwrite"
    // and "Button_Cancel"; true for Overwrite.
    virtual bool presentOverwriteQuestion (const juce::String& title, const juce::String& message) = 0;

private:

    bool mayShow() const;
    juce::File choose (const Request& request, bool forSaving);
    bool mayOverwrite (const juce::File& file);

    const std::unique_ptr<BusyFlag> busyFlag;
};

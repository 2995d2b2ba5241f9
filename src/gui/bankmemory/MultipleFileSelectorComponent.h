#pragma once

#include "gui/widgets/PlainLabel.h"
#include "resources/MessageBoxes.h"

#include <juce_gui_basics/juce_gui_basics.h>

class FileManager;
class ReceiveBankSelectionState;

// The modal dialog in which the user names the folder and the file-name
// prefix for several banks received at once. OK stores both into the
// receive selection (creating the folder when the user agrees) and the
// folder into the preference "LastBankReceiveTargetFolder"; Cancel changes
// nothing. Either ends the modal run of the window around it, with 1 for OK
// and 0 for Cancel.
class MultipleFileSelectorComponent : public juce::Component
{
public:
    static constexpr int dialogWidth = 450;
    static constexpr int dialogHeight = 173;

    // The selection must outlive the dialog; without a file manager the
    // folder chooser does not open. The busy flag is the one the dialog
    // holds while it is up: it is let go while the dialog's own boxes and
    // chooser are shown, which would be skipped otherwise.
    MultipleFileSelectorComponent (ReceiveBankSelectionState& selection, FileManager* files, BusyFlag* busyFlag);

    // 1 for OK, 0 for Cancel, -1 while neither was pressed.
    int getResult() const { return result; }

    // The name the first chosen bank (bank A when none is) is saved under
    // with the prefix box's text.
    juce::String getExampleName() const;

    void paint (juce::Graphics&) override;

private:
    void chooseFolder();
    void okPressed();
    bool folderIsReady (const juce::File& folder);
    bool confirm (const juce::String& messageKey, bool withCancel);
    void finish (int dialogResult);

    template <typename Ask>
    auto withBusyFlagFree (Ask ask)
    {
        if (busyFlag != nullptr)
            busyFlag->setBusy (false);
        const auto answer = ask();
        if (busyFlag != nullptr)
            busyFlag->setBusy (true);
        return answer;
    }

    ReceiveBankSelectionState& selection;
    FileManager* const files;
    BusyFlag* const busyFlag;
    PlainLabel folderLabel, prefixLabel, exampleLabel { "example" };
    juce::TextEditor folderBox { "folder" }, prefixBox { "prefix" };
    juce::TextButton folderSelector { "folderSelector" }, okButton { "ok" }, cancelButton { "cancel" };
    int result = -1;
};

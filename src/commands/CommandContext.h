#pragma once

#include "app/WaveSelection.h"

#include <juce_core/juce_core.h>

class AudioPlayerManager;
class DataCenter;
class FileManager;
class ReceiveBankSelectionState;
class UsbSessionManager;
class WriteBankSelectionState;

namespace juce { class UndoManager; }

// What the commands need of the windows. The GuiController provides it.
class CommandGui
{
public:
    enum Page { noPage = 0, samplePage = 1, effectPage = 2, patternPage = 3 };
    enum SessionOrigin { fromMainWindow = 0, fromBankMemoryWindow = 1, fromPreferencesWindow = 2 };

    virtual ~CommandGui() = default;

    // Set while a modal box, a file chooser or a session window is up.
    virtual bool isBusy() const = 0;
    virtual bool isMainComponentModal() const = 0;

    // One of Page.
    virtual int getCurrentPage() const = 0;
    virtual bool isWaveformEditorShown() const = 0;

    // Opens the window that follows a session, titled `title`, for a
    // session started from `origin` (one of SessionOrigin). Refused (false)
    // while a session window exists or the GUI is busy; sets the busy flag.
    virtual bool openSessionDialog (const juce::String& title, int origin) = 0;

    // Closes the session window at once and clears the busy flag.
    virtual void closeSessionDialog() = 0;

    // Each opens its window, or brings it to the front when it is open.
    virtual void showPreferencesWindow() = 0;
    virtual void showBankMemoryWindow() = 0;
    virtual void showAboutBox() = 0;

    // The warning before data replaces what the device holds: the write
    // message or the update message, with or without the box that turns the
    // warning off. Modal; true only for OK.
    virtual bool confirmWriting (bool writeMessage, bool showDontConfirmBox) = 0;

    // The multiple-file selector: the folder and the file-name prefix for
    // banks received into files, stored into the selection. True for OK.
    virtual bool chooseReceiveFolder (ReceiveBankSelectionState& selection) = 0;

    // Answers of the question whether an existing bank file may be
    // overwritten.
    enum OverwriteAnswer { cancelOverwrite = 0, overwrite = 1, saveAsOther = 2 };

    // Titled with "ConfirmOverwrite_Title"; asks "ConfirmOverwrite_MessagePrefix",
    // a space, the file's name and "ConfirmOverwrite_MessagePostfix", with
    // the buttons "ConfirmOverwrite_ButtonOverwrite",
    // "ConfirmOverwrite_ButtonSaveAs" and "Button_Cancel". Modal.
    virtual OverwriteAnswer askOverwrite (const juce::File& file) = 0;
};

// What the commands need of the program's services and state. The Host
// provides it; any of the services may be absent.
class CommandContext
{
public:
    virtual ~CommandContext() = default;

    virtual DataCenter* getDataCenter() const = 0;
    virtual juce::UndoManager* getUndoManager() const = 0;
    virtual AudioPlayerManager* getPlayerManager() const = 0;
    virtual UsbSessionManager* getSessionManager() const = 0;
    virtual FileManager* getFileManager() const = 0;
    virtual CommandGui* getCommandGui() const = 0;

    // The banks the bank memory window chose for a receive and for a write.
    virtual ReceiveBankSelectionState* getReceiveSelection() const = 0;
    virtual WriteBankSelectionState* getWriteSelection() const = 0;

    // The pattern being edited on the pattern page (0 to 15).
    virtual int getCurrentPattern() const = 0;
    virtual void setCurrentPattern (int index) = 0;

    virtual const WaveSelectedStatus& getWaveSelection() const = 0;
    virtual void setWaveSelection (const WaveSelectedStatus& selection) = 0;
    virtual void clearWaveSelectionFlags() = 0;

    // The waveform editor's view; it outlives the editor.
    virtual WaveGraphViewInfo& getWaveView() = 0;

    // 0 to 35; choosing another sample clears the wave selection.
    virtual void setCurrentSample (int index) = 0;

    // One of CommandGui::Page. Refused while the main window is modal; a
    // real change shows the page and stops the sample playback when the
    // sample page is left.
    virtual void setCurrentPage (int page) = 0;

    virtual void quitApplication() = 0;
};

#pragma once

#include "app/TransmitNoticeManager.h"
#include "commands/CommandContext.h"
#include "device/UsbSession.h"

#include <juce_events/juce_events.h>

#include <cstdint>
#include <memory>

class MainWindow;
class UsbSessionManager;

// Owns the top-level windows and keeps the state that decides whether a
// dialog may open: the busy flag, the current page and the origin of a
// running session dialog.
class GuiController : public juce::MessageListener,
                      public CommandGui,
                      private UsbSessionListener
{
public:
    GuiController();
    ~GuiController() override;

    // False when the window could not be made.
    bool createMainWindow();
    MainWindow* getMainWindow() const { return mainWindow.get(); }

    int getCurrentPage() const override { return currentPage; }
    void setCurrentPage (int page) { currentPage = page; }

    // Set while a modal box, a file chooser or a session window is up.
    bool isBusy() const override { return busy != 0; }
    void setBusy (bool isBusy) { busy = isBusy ? 1 : 0; }

    int getSessionOrigin() const { return sessionOrigin; }

    // The record of changes not yet sent to the device.
    TransmitNoticeManager& getTransmitNoticeManager() { return transmitNotices; }

    bool isMainComponentModal() const override;

    void handleMessage (const juce::Message& message) override;

    // The sessions whose end closes the session window.
    void watchSessions (UsbSessionManager* manager);

    bool isWaveformEditorShown() const override;

    // Until the session window has its page, the session runs behind the
    // busy flag alone: the flag goes when the session ends, and a failure
    // shows its message box.
    bool openSessionDialog (const juce::String& title, int origin) override;
    void closeSessionDialog() override;

    // The preferences and bank memory windows come with their pages.
    void showPreferencesWindow() override {}
    void showBankMemoryWindow() override {}
    void showAboutBox() override;

    // A WriteWarningComponent in a modal window titled
    // "WarnBeforeTransmitting_Title"; false at once while the GUI is busy.
    bool confirmWriting (bool writeMessage, bool showDontConfirmBox) override;
    bool chooseReceiveFolder (ReceiveBankSelectionState& selection) override;

    // Through the current message boxes.
    OverwriteAnswer askOverwrite (const juce::File& file) override;

private:
    void sessionStarted (UsbSession*) override {}
    void sessionProgress (UsbSession*, double) override {}
    void sessionStatus (UsbSession*, const juce::String&) override {}
    void sessionFinished (UsbSession* session, bool success) override;

    TransmitNoticeManager transmitNotices;
    UsbSessionManager* sessions = nullptr;
    bool sessionDialogOpen = false;
    std::unique_ptr<MainWindow> mainWindow;
    int currentPage = 0;
    uint8_t busy = 0;
    int sessionOrigin = fromMainWindow;
};

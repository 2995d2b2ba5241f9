#pragma once

#include "app/TransmitNoticeManager.h"
#include "commands/CommandContext.h"
#include "gui/main/MainWindow.h"

#include <juce_events/juce_events.h>

#include <cstdint>
#include <memory>

class BankMemoryWindow;
class PreferencesWindow;
class UsbSessionDialog;
class UsbSessionManager;

// Owns the top-level windows and keeps the state that decides whether a
// dialog may open: the busy flag, the current page and the origin of a
// running session dialog.
class GuiController : public juce::MessageListener,
                      public CommandGui
{
public:
    // The session window shows the manager's sessions; without a manager
    // it does not open.
    explicit GuiController (UsbSessionManager* sessionManager);
    ~GuiController() override;

    // False when the window could not be made.
    bool createMainWindow (const MainWindow::Services& services);
    MainWindow* getMainWindow() const { return mainWindow.get(); }

    int getCurrentPage() const override { return currentPage; }
    // The main window builds the page.
    void setCurrentPage (int page);

    // Set while a modal box, a file chooser or a session window is up.
    bool isBusy() const override { return busy != 0; }
    void setBusy (bool isBusy) { busy = isBusy ? 1 : 0; }

    int getSessionOrigin() const { return sessionOrigin; }

    // The record of changes not yet sent to the device.
    TransmitNoticeManager& getTransmitNoticeManager() { return transmitNotices; }

    // While a modal dialog or the about box is up.
    bool isMainComponentModal() const override;

    void handleMessage (const juce::Message& message) override;

    bool isWaveformEditorShown() const override;

    // The session window is modal without a modal loop: it opens and the
    // call returns, and the busy flag stays set until message 11 (or
    // closeSessionDialog) deletes the window. Message 11 also brings the
    // main window to the front.
    bool openSessionDialog (const juce::String& title, int origin) override;
    void closeSessionDialog() override;
    UsbSessionDialog* getSessionDialog() const { return sessionDialog.get(); }

    // Made with the main window's services, so not before the main window;
    // messages 10 and 12 delete them.
    void showPreferencesWindow() override;
    void showBankMemoryWindow() override;
    PreferencesWindow* getPreferencesWindow() const { return preferencesWindow.get(); }
    BankMemoryWindow* getBankMemoryWindow() const { return bankMemoryWindow.get(); }
    void showAboutBox() override;

    // A WriteWarningComponent in a modal window titled
    // "WarnBeforeTransmitting_Title"; false at once while the GUI is busy.
    bool confirmWriting (bool writeMessage, bool showDontConfirmBox) override;
    // The MultipleFileSelectorComponent in a modal window titled "Receive
    // Bank", centred on the main window; false at once while the GUI is
    // busy.
    bool chooseReceiveFolder (ReceiveBankSelectionState& selection) override;

    // Through the current message boxes.
    OverwriteAnswer askOverwrite (const juce::File& file) override;

private:
    class ControllerBusyFlag;

    void sessionDialogFinished();
    juce::Component* sessionOriginWindow() const;

    TransmitNoticeManager transmitNotices;
    UsbSessionManager* const sessions;
    std::unique_ptr<UsbSessionDialog> sessionDialog;
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<MainWindow::Services> windowServices;
    std::unique_ptr<BankMemoryWindow> bankMemoryWindow;
    std::unique_ptr<PreferencesWindow> preferencesWindow;
    int currentPage = 0;
    uint8_t busy = 0;
    int sessionOrigin = fromMainWindow;
};

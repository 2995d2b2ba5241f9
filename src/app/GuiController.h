#pragma once

#include "app/TransmitNoticeManager.h"

#include <juce_events/juce_events.h>

#include <cstdint>
#include <memory>

class MainWindow;

// Owns the top-level windows and keeps the state that decides whether a
// dialog may open: the busy flag, the current page and the origin of a
// running session dialog.
class GuiController : public juce::MessageListener
{
public:
    enum SessionOrigin { fromMainWindow = 0, fromBankMemoryWindow = 1, fromPreferencesWindow = 2 };

    GuiController();
    ~GuiController() override;

    // False when the window could not be made.
    bool createMainWindow();
    MainWindow* getMainWindow() const { return mainWindow.get(); }

    int getCurrentPage() const { return currentPage; }
    void setCurrentPage (int page) { currentPage = page; }

    // Set while a modal box, a file chooser or a session window is up.
    bool isBusy() const { return busy != 0; }
    void setBusy (bool isBusy) { busy = isBusy ? 1 : 0; }

    int getSessionOrigin() const { return sessionOrigin; }

    // The record of changes not yet sent to the device.
    TransmitNoticeManager& getTransmitNoticeManager() { return transmitNotices; }

    bool isMainComponentModal() const;

    void handleMessage (const juce::Message& message) override;

private:
    TransmitNoticeManager transmitNotices;
    std::unique_ptr<MainWindow> mainWindow;
    int currentPage = 0;
    uint8_t busy = 0;
    int sessionOrigin = fromMainWindow;
};
